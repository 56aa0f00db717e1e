#include "support/DatabaseTest.h"

#include "records/JuxMessageErrors.h"

namespace {

class MessageErrors : public DatabaseTest {
protected:
    JuxMessageErrors Bound()
    {
        JuxMessageErrors errors;
        errors.SetDataSource(&db);
        return errors;
    }
    void StoredError(const QString& id, const QString& reference, const QString& code)
    {
        db.Execute("INSERT INTO JUX_MSG_ERROR (ID, Description, JuxMsgReference, ErrorCode, TmStamp) "
                   "VALUES (?,?,?,?,'20240101:1.00')",
                   {id, "text " + id, reference, code});
    }
};

TEST_F(MessageErrors, NewErrorsWaitUnderCountedKeysAndAreWrittenWithTheReference)
{
    JuxMessageErrors errors = Bound();
    errors.AddError("JX500", "Bad mark");
    errors.AddError("JX500", "Bad mark");
    EXPECT_TRUE(errors.Exists("N001"));
    EXPECT_TRUE(errors.Exists("n002"));
    errors.Remove("N001");
    errors.AddError("JX501", "Bad enquirer"); // the count repeats N002: the next key is taken
    EXPECT_TRUE(errors.Exists("N003"));
    errors.Remove("N999"); // unknown: ignored
    errors.Item("N003")->SetErrorCode("JX500");
    errors.Item("N003")->SetDescription("Bad mark");

    errors.ApplyWithMessageReference("{REF}");
    EXPECT_EQ(CountRows("JUX_MSG_ERROR", "JuxMsgReference='{REF}' AND ID LIKE 'J%'"), 2);
    EXPECT_FALSE(errors.IsDirty());
    EXPECT_EQ(db.TransactionCount(), 0);

    JuxMessageErrors loaded = Bound();
    loaded.Load("{ref}");
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_TRUE(loaded.Exists(loaded.Item(1)->ID()));
    EXPECT_EQ(loaded.ToString(true), "JX500 Bad mark\r\nJX500 Bad mark");

    JuxMessageErrors texts;
    EXPECT_EQ(texts.ToString(), "");
    texts.AddError("A1", ""); // an empty first line leaves no break before the next
    texts.AddError("B1", "B");
    EXPECT_EQ(texts.ToString(), "B");
    EXPECT_EQ(texts.Find("b1"), nullptr);
}

TEST_F(MessageErrors, ErrorsLoadInTheOrderTheyWereWritten)
{
    // Rows placed in the file out of key order, as a delete and reuse of
    // space can leave them.
    StoredError("X0000000003", "{R}", "C");
    StoredError("X0000000001", "{R}", "A");
    StoredError("X0000000002", "{R}", "B");
    JuxMessageErrors errors = Bound();
    errors.Load("{R}");
    ASSERT_EQ(errors.Count(), 3);
    EXPECT_EQ(errors.ToString(true), "A text X0000000001\r\nB text X0000000002\r\nC text X0000000003");

    // Written by the key maker, they come back in the order of adding.
    JuxMessageErrors added = Bound();
    for (const char* code : {"Z", "Y", "X"})
        added.AddError(code, code);
    added.ApplyWithMessageReference("{S}");
    added.Load("{S}");
    EXPECT_EQ(added.ToString(true), "Z Z\r\nY Y\r\nX X");
}

TEST_F(MessageErrors, SetToClearDeletesTheRowsOfTheLoadedReferenceOnly)
{
    StoredError("J1", "{A}", "JX500");
    StoredError("J2", "{A}", "NS010");
    StoredError("J3", "{B}", "JX500");
    JuxMessageErrors errors = Bound();
    errors.Load("{A}");
    errors.AddError("JX501", "new one");
    errors.SetSetToClear(true);
    errors.ApplyWithMessageReference("{B}"); // the argument does not choose the rows

    EXPECT_EQ(errors.Count(), 0);
    EXPECT_FALSE(errors.SetToClear());
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 1);

    JuxMessageErrors neverLoaded = Bound();
    neverLoaded.AddError("JX500", "held");
    neverLoaded.SetSetToClear(true);
    neverLoaded.Apply();
    EXPECT_EQ(neverLoaded.Count(), 0);
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 1);
}

TEST_F(MessageErrors, DirtyErrorsAreUpdatedOrDeletedAndCleanOnesKeepTheirReference)
{
    StoredError("J1", "{A}", "JX500");
    StoredError("J2", "{A}", "JX501");
    StoredError("J3", "{A}", "JX502");
    JuxMessageErrors errors = Bound();
    errors.Load("{A}");
    errors.Item("J1")->SetDescription("it's changed");
    errors.Item("J2")->SetIsDeleted(true);
    errors.AddError("JX509", "gone before written");
    errors.Item(4)->SetIsDeleted(true);

    errors.ApplyWithMessageReference("{C}");
    EXPECT_EQ(Scalar("SELECT Description || JuxMsgReference FROM JUX_MSG_ERROR WHERE ID='J1'"),
              "it's changed{C}");
    EXPECT_EQ(CountRows("JUX_MSG_ERROR", "ID='J2'"), 0);
    EXPECT_EQ(Scalar("SELECT JuxMsgReference FROM JUX_MSG_ERROR WHERE ID='J3'"), "{A}");
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 2);
    EXPECT_EQ(errors.Count(), 4) << "deleted errors stay in the list";
    EXPECT_FALSE(errors.Item(4)->IsNew());
    EXPECT_FALSE(errors.IsDirty());
}

TEST_F(MessageErrors, AConcurrentChangeRollsBackTheWholeWriteAndKeepsTheChanges)
{
    StoredError("J1", "{A}", "JX500");
    StoredError("J2", "{A}", "JX501");
    JuxMessageErrors errors = Bound();
    errors.Load("{A}");
    errors.AddError("JX502", "new");
    errors.Item("J1")->SetDescription("mine");
    errors.Item("J2")->SetDescription("mine too");
    Other()->Execute("UPDATE JUX_MSG_ERROR SET TmStamp='other' WHERE ID='J2'");

    try {
        errors.ApplyWithMessageReference("{A}");
        FAIL() << "no error";
    } catch (const NevixError& e) {
        EXPECT_EQ(e.Number(), ErrorNumbers::Concurrency);
    }
    EXPECT_EQ(CountRows("JUX_MSG_ERROR"), 2);
    EXPECT_EQ(Scalar("SELECT Description FROM JUX_MSG_ERROR WHERE ID='J1'"), "text J1");
    EXPECT_TRUE(errors.Item("N003")->IsNew());
    EXPECT_TRUE(errors.Item("J1")->IsDirty());
    EXPECT_EQ(db.TransactionCount(), 0);
}

} // namespace
