#pragma once

#include "screens/common/InitialisableForm.h"

#include <QWidget>

class QPushButton;
class QTextEdit;

// Shows the information file IMPORTANT_INFORMATION.rtf of the program
// folder, read only.
class frmInfo : public QWidget, public InitialisableForm {
    Q_OBJECT
public:
    explicit frmInfo(QWidget* parent = nullptr);

    // Raises a NevixError when the file is missing or cannot be read.
    void InitialiseForm() override;

    // The information file in the given program folder.
    static QString InfoFilePath(const QString& programFolder);

    QTextEdit* rtfMoreInfo() const { return m_rtfMoreInfo; }
    QPushButton* cmdReturn() const { return m_cmdReturn; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Escape closes the window, as its Close button does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextEdit* m_rtfMoreInfo;
    QPushButton* m_cmdReturn;
};
