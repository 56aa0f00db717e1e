#include "support/DatabaseTest.h"

#include "records/JuxMessageErrors.h"
#include "records/VQ3Enquiries.h"

#include <functional>

namespace {

QDateTime Day(int day)
{
    return QDateTime(QDate(2024, 3, 1), QTime(0, 0)).addDays(day - 1);
}

std::shared_ptr<VQ3> Enquiry(const QString& vrm, const NullableDate& event, const QString& enquirer = "AB123",
                             const QString& reference = "R1")
{
    auto enquiry = std::make_shared<VQ3>();
    enquiry->SetVRMVIN(vrm);
    enquiry->SetDateOfEvent(event);
    enquiry->SetEnquirerId(enquirer);
    enquiry->SetEnquiryReference(reference);
    return enquiry;
}

class EnquiryCollection : public DatabaseTest {
protected:
    VQ3Enquiries Bound(bool isTest = false)
    {
        VQ3Enquiries enquiries;
        enquiries.SetDataSource(&db, isTest);
        return enquiries;
    }
    // Saves the enquiries, in order, in one transaction.
    void Save(std::initializer_list<std::shared_ptr<VQ3>> enquiries)
    {
        VQ3Enquiries batch = Bound();
        for (const auto& enquiry : enquiries)
            batch.Add(enquiry);
        batch.Apply();
    }
    static QString Marks(const VQ3Enquiries& enquiries)
    {
        QStringList marks;
        for (const auto& enquiry : enquiries)
            marks << enquiry->VRMVIN();
        return marks.join(',');
    }
};

TEST_F(EnquiryCollection, NewMembersGetTemporaryIdsAndLoadedOnesKeepTheirs)
{
    VQ3Enquiries batch = Bound();
    batch.Add(Enquiry("A1", Day(1)));
    batch.Add(Enquiry("B1", Day(1)));
    EXPECT_EQ(batch.Item(2)->ID(), "VQ32");
    batch.Remove("nothing");
    batch.Apply();

    VQ3Enquiries loaded = Bound();
    loaded.Load({});
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_TRUE(loaded.Exists(loaded.Item(1)->ID()));
    EXPECT_EQ(loaded.Find("b1"), loaded.Item(2));
    EXPECT_EQ(loaded.FindByEnquiryRef("r1"), loaded.Item(1));
    EXPECT_EQ(loaded.CountWithoutLoading(), 2);
    try {
        loaded.Add(loaded.Item(1));
        FAIL() << "added twice";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), 457);
    }
    EXPECT_EQ(Bound(true).CountWithoutLoading(), 0);
}

TEST_F(EnquiryCollection, ATemporaryIdIsNeverGivenTwice)
{
    VQ3Enquiries batch = Bound();
    batch.Add(Enquiry("A1", Day(1)));
    batch.Add(Enquiry("B1", Day(1)));
    batch.Remove(1);
    batch.Add(Enquiry("C1", Day(1)));
    EXPECT_EQ(batch.Item(2)->ID(), "VQ33") << "VQ32 is still held by B1";
    batch.Add(Enquiry("D1", Day(1)));
    EXPECT_EQ(batch.Count(), 3);
    batch.Apply();
    EXPECT_EQ(CountRows("VQ3_Enquiries"), 3);
}

TEST_F(EnquiryCollection, LoadFilters)
{
    auto unsent = Enquiry("AB1", Day(1));
    unsent->SetWhenEntered(QDateTime(QDate(2024, 3, 15), QTime(9, 0)));
    auto waiting = Enquiry("AB2", Day(2), "CD456");
    waiting->SetWhenSent(Day(3));
    waiting->SetWhenEntered(QDateTime(QDate(2024, 3, 14), QTime(23, 0)));
    auto answered = Enquiry("XY1", Day(3), "");
    answered->SetWhenSent(Day(3));
    answered->SetResponseReceived(1);
    auto withError = Enquiry("A%1", Day(4));
    withError->AddError("JX500", "bad");
    auto test = Enquiry("AB9", Day(1));
    test->SetIsTest(true);
    Save({unsent, waiting, answered, withError, test});

    const struct {
        const char* name;
        std::function<void(VQ3Enquiries&)> load;
        const char* marks;
    } cases[] = {
        {"all", [](VQ3Enquiries& e) { e.Load({}); }, "AB1,AB2,XY1,A%1"},
        {"enquirer or none", [](VQ3Enquiries& e) { e.Load({"CD456", "ZZ999"}); }, "AB2,XY1"},
        {"mark prefix", [](VQ3Enquiries& e) { e.Load({}, "ab"); }, "AB1,AB2"},
        {"prefix wildcards are plain", [](VQ3Enquiries& e) { e.Load({}, "A%"); }, "A%1"},
        {"waiting to be sent", [](VQ3Enquiries& e) { e.Load({}, "", true); }, "AB1,A%1"},
        {"with errors", [](VQ3Enquiries& e) { e.Load({}, "", false, true); }, "A%1"},
        {"for sending", [](VQ3Enquiries& e) { e.LoadForSending({}); }, "AB1"},
        {"waiting response", [](VQ3Enquiries& e) { e.Load({}, "", false, {}, true); }, "AB2"},
        {"entered today", [](VQ3Enquiries& e) { e.Load({}, "", false, {}, false, "", "-1"); }, "AB1"},
        {"entered two days", [](VQ3Enquiries& e) { e.Load({}, "", false, {}, false, "", "2 days"); }, "AB1,AB2"},
        {"sorted", [](VQ3Enquiries& e) { e.Load({}, "", false, {}, false, "VRM DESC"); }, "XY1,AB2,AB1,A%1"},
    };
    for (const auto& c : cases) {
        VQ3Enquiries enquiries = Bound();
        c.load(enquiries);
        EXPECT_EQ(Marks(enquiries), c.marks) << c.name;
        EXPECT_FALSE(enquiries.Resorted());
    }
    VQ3Enquiries testRows = Bound(true);
    testRows.ReloadAndSortForPrinting();
    EXPECT_FALSE(testRows.Resorted()) << "nothing loaded yet";
    testRows.Load({});
    EXPECT_EQ(Marks(testRows), "AB9");
    ASSERT_EQ(testRows.Item(1)->Errors()->Count(), 0);

    VQ3Enquiries limited = Bound();
    limited.Load({}, "", false, {}, false, "VRM", "", "2");
    EXPECT_EQ(Marks(limited), "A%1,AB1");
    EXPECT_EQ(limited.TopAllCount(), 4);
    limited.ReloadAndSortForPrinting(); // by enquirer name (all empty), then mark; no limit
    EXPECT_EQ(Marks(limited), "A%1,AB1,AB2,XY1");
    EXPECT_TRUE(limited.Resorted());
    limited.Load({}, "", false, {}, false, "", "", "many");
    EXPECT_EQ(limited.TopAllCount(), 4);
    EXPECT_EQ(limited.Find("A%1")->Errors()->Count(), 1) << "members load with their errors";
}

TEST_F(EnquiryCollection, AQuestionMarkInTheSearchStandsForOneCharacterAndTheListComesWithItsErrors)
{
    auto first = Enquiry("AB12CDE", Day(1));
    first->AddError("JX500", "VRM must be between 2 and 7 characters");
    first->AddError("JX501", "bad date");
    auto second = Enquiry("AB92XYZ", Day(2));
    second->AddError("JX502", "no enquirer");
    Save({first, second, Enquiry("AB2CDEF", Day(3)), Enquiry("AB1", Day(4)), Enquiry("XAB12", Day(5))});

    VQ3Enquiries found = Bound();
    found.Load({}, "AB?2");
    EXPECT_EQ(Marks(found), "AB12CDE,AB92XYZ");
    // The errors of the whole list arrive with the list: a change to the
    // stored errors afterwards is not read row by row.
    Other()->Execute("DELETE FROM JUX_MSG_ERROR");
    std::vector<int32_t> counts;
    for (const auto& enquiry : found)
        counts.push_back(enquiry->Errors()->Count());
    EXPECT_EQ(counts, (std::vector<int32_t>{2, 1}));
}

TEST_F(EnquiryCollection, AListOfShownColumnsReadsEachMemberWholeAtItsLoadAndWritesOnlyItsChanges)
{
    auto stored = Enquiry("AB12CDE", Day(1), "AB123", "REF-1");
    stored->AddError("JX500", "VRM must be between 2 and 7 characters");
    Save({stored, Enquiry("CD34EFG", Day(2))});

    VQ3Enquiries list = Bound();
    list.SetListColumnsOnly(true);
    list.Load({});
    ASSERT_EQ(Marks(list), "AB12CDE,CD34EFG");
    const auto member = list.Item(1);
    EXPECT_EQ(member->ID(), stored->ID());
    EXPECT_EQ(member->DateOfEvent(), Day(1));
    EXPECT_FALSE(member->IsNew());
    EXPECT_FALSE(member->IsDirty());
    EXPECT_EQ(member->EnquiryReference(), QString()) << "not read yet";
    EXPECT_EQ(member->Errors()->Count(), 0);

    // The columns it never read are not written over the stored ones.
    member->SetVRMVIN("AB12CDF");
    EXPECT_THROW(member->Apply(), NevixError);
    member->Load();
    EXPECT_EQ(member->VRMVIN(), "AB12CDE");
    EXPECT_EQ(member->EnquiryReference(), "REF-1");
    EXPECT_EQ(member->Errors()->Count(), 1);
    member->SetVRMVIN("AB12CDF");
    member->Apply();
    EXPECT_EQ(Scalar("SELECT Enquiry_Reference FROM VQ3_Enquiries WHERE VRM='AB12CDF'").toString(), "REF-1");

    // A list's member is deleted as it is, guarded by its stamp.
    list.ReloadAndSortForPrinting();
    EXPECT_EQ(list.Item(1)->EnquiryReference(), "REF-1") << "printing reads whole rows";
    list.SetListColumnsOnly(true);
    list.Load({});
    list.Item(2)->SetIsDeleted(true);
    list.Apply();
    EXPECT_EQ(CountRows("VQ3_Enquiries"), 1);
}

// The same duplicate rules over the members and over the stored rows.
struct DuplicateCase {
    const char* name;
    int16_t days;
    bool exact;
    std::shared_ptr<VQ3> enquiry;
    const char* found;
    const char* storedFound = nullptr; // when the stored search differs
};

class DuplicateRules : public EnquiryCollection, public ::testing::WithParamInterface<DuplicateCase> {
protected:
    // Candidates of AB1 for enquirer AB123 and reference R1 unless named.
    void SetUp() override
    {
        for (const auto& e : {Enquiry("AB1", Day(7)), Enquiry("AB1", Day(6)), Enquiry("AB1", Day(20)),
                              Enquiry("ab1", Day(10), "AB123", "R2"), Enquiry("AB1", Day(10), "ZZ999"),
                              Enquiry("AB1", std::nullopt), Enquiry("CD1", Day(10))})
            batch.Add(e);
    }
    static QString Found(const VQ3Enquiries& found)
    {
        QStringList ids;
        for (const auto& e : found)
            ids << QString::number(e->DateOfEvent() ? e->DateOfEvent()->date().day() : 0) + e->EnquirerId().left(1) +
                       e->EnquiryReference().right(1);
        ids.sort();
        return ids.join(',');
    }
    VQ3Enquiries batch = Bound();
};

TEST_P(DuplicateRules, FoundAlikeInTheListAndInTheDatabase)
{
    const DuplicateCase& c = GetParam();
    EXPECT_EQ(Found(batch.LoadDuplicatesFromList(*c.enquiry, c.days, c.exact)), c.found) << "list";
    batch.Apply();
    VQ3Enquiries stored = Bound();
    stored.LoadDuplicates(*c.enquiry, c.days, c.exact);
    EXPECT_EQ(Found(stored), c.storedFound ? c.storedFound : c.found) << "stored";
}

INSTANTIATE_TEST_SUITE_P(
    Records, DuplicateRules,
    ::testing::Values(DuplicateCase{"ThreeDays", 3, false, Enquiry("ab1", Day(10)), "10A2,20A1,7A1"},
                      DuplicateCase{"SameDay", -1, false, Enquiry("AB1", Day(10), "ab123"), "10A2"},
                      DuplicateCase{"Never", -2, false, Enquiry("AB1", Day(10)), ""},
                      DuplicateCase{"NeverButExact", -2, true, Enquiry("AB1", Day(10), "AB123", "r2"), "10A2"},
                      DuplicateCase{"ExactWithoutReference", 0, true, Enquiry("AB1", Day(20), "", ""), "20A1"},
                      DuplicateCase{"AnyEnquirerAnyDate", 0, false, Enquiry("AB1", Day(30), ""),
                                    "10A2,10Z1,20A1,6A1,7A1",
                                    // without a date condition a stored row needs no date
                                    "0A1,10A2,10Z1,20A1,6A1,7A1"},
                      DuplicateCase{"NoDateOfEvent", 0, true, Enquiry("AB1", std::nullopt), ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EnquiryCollection, DuplicateMessageListsTheEarlierEnquiries)
{
    VQ3Enquiries earlier;
    earlier.Add(Enquiry("AB1", Day(7)));
    earlier.Add(Enquiry("AB1", Day(8), "AB123", ""));
    EXPECT_EQ(earlier.GetDuplicateEnquiryMessage(*Enquiry("AB1", Day(10), "AB123", "NEW")),
              "Vehicle Registration : AB1\r\nDate Of Event : 10/03/2024\r\nReference : NEW\r\n\r\n"
              "This Registration has already been the subject the following enquiry(s)\r\n"
              "\r\n\tDate of Event: 07/03/2024  Reference: R1\r\n\tDate of Event: 08/03/2024");
}

TEST_F(EnquiryCollection, AFailedSaveNamesTheEnquiryAndWritesNothing)
{
    Save({Enquiry("OLD", Day(1))});
    VQ3Enquiries enquiries = Bound();
    enquiries.Load({});
    enquiries.Item(1)->SetIsDeleted(true);
    enquiries.Add(Enquiry("NEW", Day(2)));
    auto clash = Enquiry("CLASH", Day(3), "AB123", "X");
    enquiries.Add(clash);
    db.Execute("CREATE TRIGGER refuse BEFORE INSERT ON VQ3_Enquiries WHEN NEW.VRM='CLASH' "
               "BEGIN SELECT RAISE(ABORT, 'refused'); END");

    try {
        enquiries.Apply();
        FAIL() << "no error";
    } catch (const NevixError& e) {
        EXPECT_TRUE(e.Description().endsWith("\r\nEnquiry being loaded:CLASH, 20240303, X")) << e.Description().toStdString();
    }
    EXPECT_EQ(Marks(enquiries), "OLD,NEW,CLASH");
    EXPECT_EQ(clash->ID(), "VQ33");
    EXPECT_EQ(CountRows("VQ3_Enquiries"), 1);
    db.Execute("DROP TRIGGER refuse");
    enquiries.Apply();
    EXPECT_EQ(Scalar("SELECT group_concat(VRM) FROM (SELECT VRM FROM VQ3_Enquiries ORDER BY VQ3ID)"),
              "NEW,CLASH");
}

} // namespace
