#pragma once

#include <QString>

class QWidget;

// Asks the user which of their enquirers an import or export is for.
// Empty when the user cancelled or has no enquirer to offer. The screens
// hold one through this interface so that tests can script the answer.
class EnquirerChooser {
public:
    enum class Purpose { Import, Export };
    virtual ~EnquirerChooser() = default;
    virtual QString ChooseEnquirer(Purpose purpose, QWidget* owner) = 0;
};

// A new frmSelectEnquirer for every question, shown modally over `owner`.
class DialogEnquirerChooser : public EnquirerChooser {
public:
    QString ChooseEnquirer(Purpose purpose, QWidget* owner) override;
};
