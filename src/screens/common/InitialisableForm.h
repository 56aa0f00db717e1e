#pragma once

// A screen the main menu opens: built, then initialised (which may raise
// a NevixError), then shown.
class InitialisableForm {
public:
    virtual ~InitialisableForm() = default;
    virtual void InitialiseForm() = 0;
};
