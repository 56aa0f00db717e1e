#pragma once

#include "support/LoggedOnTest.h"

#include "records/VQ7Responses.h"
#include "screens/records/ResponseListModel.h"
#include "screens/records/frmVQ7.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

// The response screen on the standard fixture (clock at 15 March 2024
// 10:30), opened as the menu opens it.
class ResponseScreen : public LoggedOnTest {
protected:
    void Open(const QString& user = Fixture::Admin, const FixtureOptions& options = {})
    {
        if (folder.Path.isEmpty())
            Make(options);
        LogOn(user);
        Reopen();
    }
    void Reopen()
    {
        window = std::make_unique<frmVQ7>(nullptr, tools);
        window->InitialiseForm();
        window->show();
        QApplication::setActiveWindow(window.get());
        QCoreApplication::processEvents();
    }

    // A live response stored as the receive step stores it.
    std::shared_ptr<VQ7> Store(const QString& vrm, const QDateTime& received = {}, const QString& enquirerId = {})
    {
        auto response = std::make_shared<VQ7>();
        response->SetDataSource(&db());
        response->SetVRM(vrm);
        response->SetWhenReceived(received.isValid() ? received : world.clock().Now().addSecs(-3600));
        response->SetEnquirerId(enquirerId);
        response->Apply();
        return response;
    }

    template <typename T = QWidget>
    T* Control(const char* name) const
    {
        T* control = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Text(const char* box) const { return Control<QLineEdit>(box)->text(); }
    QString Caption() const { return Control<QGroupBox>("fraLoaded")->title(); }
    QString Heading() const { return window->ListModel().headerData(1, Qt::Horizontal).toString(); }
    QStringList Vrms() const
    {
        QStringList vrms;
        for (const VQ7ListRow& row : window->ListModel().Rows())
            vrms << row.VRM;
        return vrms;
    }
    void Search(const QString& vrm)
    {
        Control<QLineEdit>("txtVRMSearch")->setText(vrm);
        Control<QPushButton>("cmdSearch")->click();
    }
    // Makes the row of the VRM the current one, as a click would.
    void Select(const QString& vrm)
    {
        const int row = int(Vrms().indexOf(vrm));
        ASSERT_GE(row, 0) << vrm.toStdString();
        window->grdVQ7()->setCurrentIndex(window->ListModel().index(row, 1));
    }
    // Gives the box the keyboard as a click would, or takes it away.
    void Focus(QWidget* box)
    {
        box->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        ASSERT_TRUE(box->hasFocus());
    }
    void FocusGrid() { Focus(window->grdVQ7()); }

    RecordScreenTools tools;
    std::unique_ptr<frmVQ7> window;
};
