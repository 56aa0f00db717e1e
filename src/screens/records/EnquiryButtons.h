#pragma once

#include <QString>

#include <cstdint>

// The enquiry screen's modes.
namespace EnquiryMode {
constexpr int32_t Browse = 0;
constexpr int32_t Edit = 1;
constexpr int32_t Add = 2;
} // namespace EnquiryMode

// What the buttons of the enquiry screen depend on besides the mode.
struct EnquiryButtonInputs {
    bool hasCurrent = false;
    bool currentIsNew = false;
    bool prepared = false; // WhenPrepared set
    bool sent = false;     // WhenSent set
    int32_t currentErrors = 0;
    int32_t listCount = 0;
    bool userHasEnquirers = true;
};

// The enabled, visible and caption states of the screen's controls.
struct EnquiryButtonStates {
    bool editVisible = false;
    bool editEnabled = false;
    bool deleteEnabled = false;
    bool saveVisible = false;
    bool saveEnabled = false;
    QString saveCaption;
    bool addEnabled = false;
    QString addCaption;
    bool printEnabled = false;
    bool importEnabled = false;
    bool searchEnabled = false; // the search frame
    bool loadedEnabled = false; // the grid's frame
    bool gridOn = false;        // the grid takes input (and may take the focus)
    bool clearErrorsEnabled = false;
    bool detailsEditable = false; // VRM, date of event and reference
    bool skipValidationEnabled = false;
    bool saveIsDefault = false; // else Add is the default button

    bool operator==(const EnquiryButtonStates&) const = default;
};

EnquiryButtonStates EnquiryButtonStatesFor(int32_t mode, const EnquiryButtonInputs& inputs);
