#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

// Stands where the main menu, the set-up wizard and the unattended console
// will open: it says who is logged on and offers to log off, nothing more.
class frmLoggedOn : public QWidget {
    Q_OBJECT
public:
    frmLoggedOn(const QString& userName, const QString& whatFollows, std::function<void()> logOff,
                QWidget* parent = nullptr);

    QLabel* lblUser() const { return m_lblUser; }
    QPushButton* cmdLogOff() const { return m_cmdLogOff; }

private:
    QLabel* m_lblUser;
    QPushButton* m_cmdLogOff;
};
