#include "screens/records/EnquiryButtons.h"

EnquiryButtonStates EnquiryButtonStatesFor(int32_t mode, const EnquiryButtonInputs& inputs)
{
    const bool browse = mode == EnquiryMode::Browse;
    const bool editing = mode == EnquiryMode::Edit || mode == EnquiryMode::Add;
    // Only an enquiry that has not started on its way to the service.
    const bool changeable = inputs.hasCurrent && !inputs.prepared && !inputs.sent;

    EnquiryButtonStates s;
    s.editVisible = browse;
    s.editEnabled = browse && changeable;
    s.deleteEnabled = browse && changeable;
    s.saveVisible = editing;
    s.saveEnabled = editing;
    s.saveCaption = !inputs.hasCurrent || inputs.currentIsNew ? QStringLiteral("&Save Enquiry")
                                                              : QStringLiteral("&Save Changes");
    s.addEnabled = true;
    s.addCaption = mode == EnquiryMode::Add    ? QStringLiteral("Cancel &Add")
                   : mode == EnquiryMode::Edit ? QStringLiteral("Cancel &Edit")
                                               : QStringLiteral("&Add New Enquiry");
    s.printEnabled = browse && inputs.listCount > 0;
    s.importEnabled = browse;
    s.searchEnabled = browse;
    s.loadedEnabled = browse;
    s.gridOn = browse;
    s.clearErrorsEnabled = mode == EnquiryMode::Edit && inputs.hasCurrent && inputs.currentErrors > 0;
    s.detailsEditable = editing;
    s.skipValidationEnabled = editing;
    s.saveIsDefault = editing;
    if (!inputs.userHasEnquirers)
        s.addEnabled = s.editEnabled = s.deleteEnabled = s.importEnabled = false;
    return s;
}
