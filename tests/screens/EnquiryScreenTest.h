#pragma once

#include "MenuTest.h"

#include "records/VQ3.h"
#include "screens/records/EnquirerChooser.h"
#include "screens/records/RecordGrid.h"
#include "screens/records/RecordGridModel.h"
#include "screens/records/frmVQ3.h"

#include <QGroupBox>
#include <QLocale>
#include <QStringList>

#include <memory>

// Answers the enquirer question from a script; "" when none is left.
class ScriptedChooser : public EnquirerChooser {
public:
    QString ChooseEnquirer(Purpose, QWidget*) override
    {
        ++asked;
        if (whileAsked)
            whileAsked();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
    int asked = 0;
    std::function<void()> whileAsked;
};

// The standard fixture (with the options given), a user logged on and the
// enquiry screen open on them, dates shown as in Britain.
class EnquiryScreenTest : public MenuTest {
protected:
    EnquiryScreenTest() : m_locale(QLocale()) { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    ~EnquiryScreenTest() override
    {
        screen.reset();
        QLocale::setDefault(m_locale);
    }

    void Open(const QString& user = Fixture::Admin, const FixtureOptions& options = FixtureOptions().WithBulkEnquiries(0))
    {
        Make(options);
        OpenAs(user);
    }
    void OpenAs(const QString& user)
    {
        Settings().SetProgramRunningMode(RunningMode::Interactive);
        LogOn(user);
        EnquiryScreenSeams seams;
        seams.chooser = chooser;
        seams.screenHeight = 1080;
        seams.makeQuestions = makeQuestions;
        screen = std::make_unique<frmVQ3>(seams);
        screen->InitialiseForm();
        screen->show();
    }

    // An enquiry of the fixture's first enquirer, entered `daysAgo` days
    // before now, stored through its record.
    std::shared_ptr<VQ3> Store(const QString& vrm, int daysAgo = 1, const QDate& dateOfEvent = QDate(2024, 3, 1),
                               const QString& reference = QString())
    {
        auto enquiry = std::make_shared<VQ3>();
        enquiry->SetDataSource(&db());
        enquiry->SetVRMVIN(vrm);
        enquiry->SetWhenEntered(world.clock().Now().addDays(-daysAgo));
        enquiry->SetDateOfEnquiry(world.clock().Now().addDays(-daysAgo));
        enquiry->SetDateOfEvent(QDateTime(dateOfEvent, QTime(0, 0)));
        enquiry->SetEnquiryReference(reference.isEmpty() ? QStringLiteral("REF-") + vrm : reference);
        enquiry->SetEnquirerId(Fixture::FirstEnquirer);
        enquiry->SetEnquirerName(QStringLiteral("Stand-in Parking"));
        enquiry->SetEnquiryCode(QStringLiteral("01PK"));
        enquiry->SetEnquiryCodeDesc(QStringLiteral("Parking enquiry"));
        enquiry->SetUserName(Fixture::Clerk);
        enquiry->Apply();
        return enquiry;
    }

    RecordGridModel& Model() const { return *screen->grdVQ3()->Model(); }
    // The marks the grid shows, top to bottom.
    QStringList Marks() const
    {
        QStringList marks;
        for (int row = 0; row < Model().Records(); ++row)
            marks << Model().Text(row, 1);
        return marks;
    }
    QString Caption() const { return screen->fraLoaded()->title(); }

    std::shared_ptr<ScriptedChooser> chooser = std::make_shared<ScriptedChooser>();
    std::function<std::unique_ptr<ImportQuestions>(QWidget*)> makeQuestions;
    std::unique_ptr<frmVQ3> screen;

private:
    QLocale m_locale;
};
