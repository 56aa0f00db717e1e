#include "support/DatabaseTest.h"

#include "records/VQ7Responses.h"

namespace {

QDateTime At(int year, int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

// The test world's clock stands at 15 March 2024 10:30.
class Responses : public DatabaseTest {
protected:
    // A stored response; its enquiry reference is its VRM.
    std::shared_ptr<VQ7> Stored(const QString& vrm, const QString& enquirer, const QDateTime& received,
                                bool isTest = false, const QString& dvlaCode = {})
    {
        auto response = std::make_shared<VQ7>();
        response->SetDataSource(&db);
        response->SetVRM(vrm);
        response->SetEnquiryReference(vrm);
        response->SetEnquirerId(enquirer);
        response->SetEnquirerName("Name " + enquirer);
        response->SetWhenReceived(received);
        response->SetDateOfResponse(received);
        response->SetDateOfEvent(At(2024, 1, 1));
        response->SetIsTest(isTest);
        response->SetDVLAERRCode(dvlaCode);
        response->SetControlReference(isTest ? 90 : 7);
        response->Apply();
        return response;
    }
    void StoreSample()
    {
        Stored("AA1", "AB001", At(2024, 3, 15, 9, 0), false, "A");
        Stored("BB2", "CD002", At(2024, 3, 13, 0, 0));
        Stored("AA3", "", At(2024, 3, 12, 23, 59));
        Stored("CC4", "EF003", At(2024, 3, 1));
        Stored("AA5", "AB001", At(2024, 3, 15), true);
    }
    VQ7Responses Bound(bool isTest = false)
    {
        VQ7Responses responses;
        responses.SetDataSource(&db, isTest);
        return responses;
    }
    static QString Vrms(const VQ7Responses& responses)
    {
        QStringList vrms;
        for (const auto& response : responses)
            vrms << response->VRM();
        return vrms.join(',');
    }
};

TEST_F(Responses, LoadFiltersByEachConditionWithinTheMode)
{
    StoreSample();
    struct Case {
        const char* name;
        std::function<void(VQ7Responses&)> load;
        const char* vrms;
    };
    const Case cases[] = {
        {"everything, by VRM", [](VQ7Responses& r) { r.Load({}); }, "AA1,AA3,BB2,CC4"},
        {"listed enquirers and none", [](VQ7Responses& r) { r.Load({"AB001", "CD002"}); }, "AA1,AA3,BB2"},
        {"blank is part of the id", [](VQ7Responses& r) { r.Load({"AB001", " CD002"}); }, "AA1,AA3"},
        {"VRM prefix, any case", [](VQ7Responses& r) { r.Load({}, "aa"); }, "AA1,AA3"},
        {"with result code", [](VQ7Responses& r) { r.Load({}, "", true); }, "AA1"},
        {"without result code", [](VQ7Responses& r) { r.Load({}, "", false); }, "AA3,BB2,CC4"},
        {"today", [](VQ7Responses& r) { r.Load({}, "", std::nullopt, "1"); }, "AA1"},
        {"zero days: today", [](VQ7Responses& r) { r.Load({}, "", std::nullopt, "0"); }, "AA1"},
        {"three days", [](VQ7Responses& r) { r.Load({}, "", std::nullopt, "3"); }, "AA1,BB2"},
        {"sort order", [](VQ7Responses& r) { r.Load({}, "", std::nullopt, "", "VRM DESC"); },
         "CC4,BB2,AA3,AA1"},
        {"quote in a VRM", [](VQ7Responses& r) { r.Load({}, "O'"); }, ""},
    };
    for (const Case& c : cases) {
        VQ7Responses responses = Bound();
        c.load(responses);
        EXPECT_EQ(Vrms(responses), c.vrms) << c.name;
    }
    VQ7Responses test = Bound(true);
    test.Load({});
    EXPECT_EQ(Vrms(test), "AA5");
}

TEST_F(Responses, LoadLimitedByMaxToLoadReportsTheFullCountAndAnUnlimitedOneItsOwn)
{
    StoreSample();
    VQ7Responses responses = Bound();
    responses.Load({}, "", std::nullopt, "", "", 2);
    EXPECT_EQ(Vrms(responses), "AA1,AA3");
    EXPECT_EQ(responses.TopAllCount(), 4);

    for (const QVariant& noLimit : {QVariant("abc"), QVariant(40000), QVariant()}) {
        Stored("DD6", "", At(2024, 3, 2));
        responses.Load({}, "", std::nullopt, "", "", noLimit);
        EXPECT_EQ(responses.Count(), responses.CountWithoutLoading()) << noLimit.toString().toStdString();
        EXPECT_EQ(responses.TopAllCount(), responses.Count()) << "not the previous load's count";
    }
}

TEST_F(Responses, ListedRowsAreTheKeysAndMarksOfALoadAndCanBeLoadedInFull)
{
    StoreSample();
    VQ7Responses listed = Bound();
    const std::vector<VQ7ListRow> rows = listed.ListRows({"AB001", "CD002"}, "", std::nullopt, "", "vrm desc", 2);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].VRM, "BB2");
    EXPECT_EQ(rows[1].VRM, "AA3");
    EXPECT_EQ(rows[1].ID, Scalar("SELECT VQ7ID FROM VQ7_Responses WHERE VRM='AA3'").toString());
    EXPECT_EQ(listed.TopAllCount(), 3);
    EXPECT_EQ(listed.Count(), 0) << "nothing loaded";
    listed.ListRows({}, "", std::nullopt, "", "", "ALL");
    EXPECT_EQ(listed.TopAllCount(), 4);

    listed.ListRows({"AB001", "CD002"}, "", std::nullopt, "", "vrm desc", 2);
    listed.LoadListedRows();
    EXPECT_EQ(Vrms(listed), "BB2,AA3");
    EXPECT_EQ(listed.Item(1)->EnquirerName(), "Name CD002");
}

TEST_F(Responses, CountsAndMaximumControlReference)
{
    VQ7Responses responses = Bound();
    EXPECT_EQ(responses.GetMaxControlReference(), 0);
    StoreSample();
    EXPECT_EQ(responses.GetMaxControlReference(), 90); // test rows count too
    EXPECT_EQ(responses.CountWithoutLoading(), 4);
    EXPECT_EQ(responses.CountofDuplicateResponses("BB2", "BB2", At(2024, 1, 1, 12), At(2024, 3, 13, 18)), 1);
    EXPECT_EQ(responses.CountofDuplicateResponses("BB2", "BB2", std::nullopt, At(2024, 3, 13)), 0);
    EXPECT_EQ(Bound(true).CountofDuplicateResponses("BB2", "BB2", At(2024, 1, 1), At(2024, 3, 13)), 0);

    EXPECT_THROW(responses.Item(1), NevixError); // nothing loaded
}

TEST_F(Responses, ARepeatedResponseIsFoundWhenItsVRMOrReferenceIsEmpty)
{
    // Stored as Null (an empty text is written so) or, by older rows, as ''.
    const struct {
        const char* name;
        QVariant vrm;
        QVariant reference;
        const char* askedVrm;
        const char* askedReference;
    } cases[] = {{"NullVRM", QVariant(), "R1", "", "R1"},
                 {"EmptyVRM", "", "R1", "", "R1"},
                 {"NullReference", "AB1", QVariant(), "AB1", ""},
                 {"BothEmpty", "", "", "", ""},
                 {"Neither", "AB1", "R1", "AB1", "R1"}};
    for (const auto& c : cases) {
        db.Execute("DELETE FROM VQ7_Responses");
        db.Execute("INSERT INTO VQ7_Responses (VQ7ID, VRM, Enquiry_Reference, Date_Of_Event, Date_Of_Response, "
                   "IsTest) VALUES ('R', ?, ?, '2024-01-01 00:00:00', '2024-03-13 00:00:00', 0)",
                   {c.vrm, c.reference});
        VQ7Responses responses = Bound();
        const auto count = [&](const QString& reference, const QString& vrm) {
            return responses.CountofDuplicateResponses(reference, vrm, At(2024, 1, 1), At(2024, 3, 13, 18));
        };
        EXPECT_EQ(count(c.askedReference, c.askedVrm), 1) << c.name;
        EXPECT_EQ(count(QString(c.askedReference) + "X", c.askedVrm), 0) << c.name;
        EXPECT_EQ(count(c.askedReference, QString(c.askedVrm) + "X"), 0) << c.name;
    }
}

TEST_F(Responses, ExportableCountMatchesExportableLoad)
{
    StoreSample();
    auto automatic = Stored("EE7", "AB001", At(2024, 3, 14));
    automatic->SetForAutoExport(true);
    automatic->Apply();
    auto exported = Stored("FF8", "AB001", At(2024, 3, 14));
    exported->SetJuxExportedDate(At(2024, 3, 14));
    exported->Apply();

    VQ7Responses responses = Bound();
    for (const bool automaticExport : {false, true}) {
        for (const QStringList& ids : {QStringList(), QStringList{"AB001"}}) {
            responses.LoadExportable(ids, automaticExport);
            EXPECT_EQ(responses.CountExportable(ids, automaticExport), responses.Count())
                << ids.join(',').toStdString();
        }
    }
    EXPECT_EQ(Vrms(responses), "EE7");
    responses.LoadExportable({"AB001"}, false);
    EXPECT_EQ(Vrms(responses), "AA1") << "an unmatched response is no enquirer's";
    responses.LoadExportable({"AB001", "CD002"}, false);
    EXPECT_EQ(Vrms(responses), "AA1,BB2");
    responses.LoadExportable({}, false);
    EXPECT_EQ(Vrms(responses), "AA3,AA1,BB2,CC4") << "every enquirer: by enquirer, none first";
    responses.LoadByWhenReceived(QDate(2024, 3, 12), QDate(2024, 3, 13));
    EXPECT_EQ(Vrms(responses), "AA3,BB2");
}

TEST_F(Responses, ResponseWithSeveralErrorsOfOneCodeLoadsOnce)
{
    auto response = Stored("AA1", "", At(2024, 3, 15));
    response->AddError("E2200", "No trace");
    response->AddError("E2200", "No trace again");
    response->SetDVLAERRCode("X");
    response->Apply();
    Stored("BB2", "", At(2024, 3, 15));

    VQ7Responses responses = Bound();
    responses.LoadForErrorCode("E2200");
    ASSERT_EQ(Vrms(responses), "AA1");
    EXPECT_EQ(responses.Item(1)->GetErrors().Count(), 2);
    EXPECT_EQ(Bound(true).CountWithoutLoading(), 0);
}

TEST_F(Responses, ALoadGivesEachResponseItsOwnStoredErrorsInStoredOrder)
{
    auto first = Stored("AA1", "", At(2024, 3, 15));
    first->AddError("E1", "one");
    first->AddError("E2", "two");
    first->AddError("E0", "three");
    first->SetDVLAERRCode("X");
    first->Apply();
    // A second response of the same reference, spelt in other case, and
    // one without errors.
    Stored("BB2", "", At(2024, 3, 15));
    db.Execute("UPDATE VQ7_Responses SET JuxMsgReference = lower(?) WHERE VRM = 'BB2'", {first->JuxMsgReference()});
    Stored("CC3", "", At(2024, 3, 15));

    VQ7Responses responses = Bound();
    responses.Load({});
    ASSERT_EQ(Vrms(responses), "AA1,BB2,CC3");
    for (const int position : {1, 2}) {
        const JuxMessageErrors& errors = responses.Item(position)->GetErrors();
        EXPECT_EQ(errors.ToString(true), "E1 one\r\nE2 two\r\nE0 three") << position;
        EXPECT_FALSE(errors.IsDirty());
    }
    // Each response holds errors of its own.
    EXPECT_NE(responses.Item(1)->GetErrors().Item(1), responses.Item(2)->GetErrors().Item(1));
    EXPECT_EQ(responses.Item(3)->GetErrors().Count(), 0);
}

// A load of many responses reads the stored errors in one pass over their
// table where that costs less than looking each reference up: the errors
// each response gets are the same either way.
TEST_F(Responses, ManyResponsesGetTheSameErrorsWhicheverWayTheyAreRead)
{
    auto first = Stored("AA1", "", At(2024, 3, 15));
    first->AddError("E1", "one");
    first->AddError("E0", "two");
    first->SetDVLAERRCode("X");
    first->Apply();
    db.Execute("UPDATE VQ7_Responses SET JuxMsgReference = lower(JuxMsgReference)");
    db.Execute("INSERT INTO JUX_MSG_ERROR (ID, JuxMsgReference, ErrorCode, Description) VALUES "
               "('N1', NULL, 'E9', 'no reference'), ('N2', '', 'E9', 'empty reference')");
    for (int i = 0; i < 70; ++i)
        Stored(QStringLiteral("ZZ%1").arg(i, 2, 10, QLatin1Char('0')), "", At(2024, 3, 15));
    const auto expectErrors = [this](const char* way) {
        VQ7Responses responses = Bound();
        responses.Load({});
        ASSERT_EQ(responses.Count(), 71) << way;
        EXPECT_EQ(responses.Item(1)->GetErrors().ToString(true), "E1 one\r\nE0 two") << way;
        for (int position = 2; position <= 71; ++position)
            EXPECT_EQ(responses.Item(position)->GetErrors().Count(), 0) << way;
    };
    expectErrors("one pass");
    db.Execute("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
               "INSERT INTO JUX_MSG_ERROR (ID, JuxMsgReference, ErrorCode, Description) "
               "SELECT 'U' || i, 'OTHER' || i, 'E8', 'elsewhere' FROM n");
    expectErrors("each reference looked up");
}

TEST_F(Responses, NewMembersWaitUnderFreeTemporaryIdsUntilApplied)
{
    auto stored = Stored("AA1", "", At(2024, 3, 15));
    VQ7Responses responses = Bound();
    responses.LoadByControlReference(7);
    ASSERT_EQ(responses.Count(), 1);
    ASSERT_TRUE(responses.Exists(stored->ID()));

    auto first = std::make_shared<VQ7>();
    auto second = std::make_shared<VQ7>();
    responses.Add(first);
    responses.Add(second);
    EXPECT_EQ(first->ID(), "VQ72");
    EXPECT_EQ(second->ID(), "VQ73");
    responses.Remove("VQ72");
    auto third = std::make_shared<VQ7>();
    responses.Add(third); // the count gives 3 again: the next free number is taken
    EXPECT_EQ(third->ID(), "VQ74");
    EXPECT_THROW(responses.Add(responses.Item(1)), NevixError);

    third->SetIsDeleted(true);              // never stored: only leaves the list
    responses.Item(1)->SetIsDeleted(true);  // stored: its row goes
    second->SetVRM("BB2");
    responses.Apply();
    EXPECT_EQ(responses.Count(), 1);
    EXPECT_TRUE(second->ID().startsWith('R'));
    EXPECT_EQ(Scalar("SELECT group_concat(VRM) FROM VQ7_Responses").toString(), "BB2");
    EXPECT_EQ(responses.Find("bb2"), second);
    EXPECT_EQ(responses.FindByEnquiryReference("nc3" + second->ID().toLower()), second);
    EXPECT_EQ(responses.Find("AA1"), nullptr);
}

} // namespace
