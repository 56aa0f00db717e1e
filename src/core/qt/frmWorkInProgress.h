#pragma once

#include "core/PreservePointer.h"

#include <QDialog>

class QLabel;

// The please-wait window shown while long database work runs. The user
// cannot close it; it shows the hourglass for as long as it exists.
class frmWorkInProgress : public QDialog {
    Q_OBJECT
public:
    explicit frmWorkInProgress(QWidget* parent = nullptr);
    ~frmWorkInProgress() override;

    QLabel* lblWait() const { return m_lblWait; }
    QLabel* lblWIP() const { return m_lblWIP; }

    // Closes the window from code (the close box is refused).
    void Unload();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QLabel* m_lblWait;
    QLabel* m_lblWIP;
    PreservePointer m_pointer;
    bool m_unloading = false;
};
