#include "accounts/Validation.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

const QString EnquirerIdMessage = QStringLiteral("The Enquirer Id must be 2 characters followed by 3 numbers");
const QString CodeMessage = QStringLiteral("The EnquiryCode Id must be 2 numbers followed by 2 characters");
const QString LengthMessage = QStringLiteral("Enquiry reference must be 1 to 20 characters");
const QString CharacterMessage = QStringLiteral("Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;");
const QString IntermediaryMessage = QStringLiteral("The Intermediary Id must be 1 character followed by 2 numbers");
const QString PasswordMessage = QStringLiteral(
    "Passwords are case sensitive, between 8 and 15 alphanumerics with at least 1 digit, 1 upper and 1 "
    "lower case letter");
const QString UsernameMessage = QStringLiteral(
    "NEVIX Service user names are between 5 and 40 characters and can contain a combination of digits, "
    "letters and : -/_#@");

struct RuleCase {
    QString (*rule)(const QString&);
    QString text;
    QString expected; // "" when accepted
};

TEST(FieldRules, AcceptAndRefuseWithTheirMessages)
{
    const RuleCase cases[] = {
        {ValidateEnquirerId, "AB123", ""},
        {ValidateEnquirerId, "ab123", ""},
        {ValidateEnquirerId, " AB123 ", ""},
        {ValidateEnquirerId, "A1234", EnquirerIdMessage},
        {ValidateEnquirerId, "AB12", EnquirerIdMessage},
        {ValidateEnquirerId, "AB1234", EnquirerIdMessage},
        {ValidateEnquirerId, QStringLiteral("\u00c9B123"), EnquirerIdMessage},
        {ValidateEnquiryCode, "12AB", ""},
        {ValidateEnquiryCode, "AB12", CodeMessage},
        {ValidateEnquiryReference, "", LengthMessage},
        {ValidateEnquiryReference, "   ", LengthMessage},
        {ValidateEnquiryReference, QString(20, u'R'), ""},
        {ValidateEnquiryReference, QString(21, u'R'), LengthMessage},
        {ValidateEnquiryReference, "  " + QString(20, u'R') + " ", ""},
        {ValidateEnquiryReference, "REF 12/3", ""},
        {ValidateEnquiryReference, "a:-._#@/*;", ""},
        {ValidateEnquiryReference, "REF,12", CharacterMessage},
        {ValidateIntermediaryId, "", ""},
        {ValidateIntermediaryId, "A12", ""},
        {ValidateIntermediaryId, "   ", IntermediaryMessage},
        {ValidateIntermediaryId, "AB1", IntermediaryMessage},
        {ValidateNevixPassword, "Abcdefg1", ""},
        {ValidateNevixPassword, "abcdefg1", PasswordMessage},
        {ValidateNevixPassword, "ABCDEFG1", PasswordMessage},
        {ValidateNevixPassword, "Abcdefgh", PasswordMessage},
        {ValidateNevixPassword, "Abcdef1", PasswordMessage},
        {ValidateNevixPassword, "Abcdefg12345678", ""},
        {ValidateNevixPassword, "Abcdefg123456789", PasswordMessage},
        {ValidateNevixPassword, "Abcd efg1", PasswordMessage},
        {ValidateNevixPassword, "Abcd-efg1", PasswordMessage},
        {ValidateNevixUsername, "abcd", UsernameMessage},
        {ValidateNevixUsername, "abcde", ""},
        {ValidateNevixUsername, QString(40, u'u'), ""},
        {ValidateNevixUsername, QString(41, u'u'), UsernameMessage},
        {ValidateNevixUsername, "user.name", ""},
        {ValidateNevixUsername, "user,name", UsernameMessage},
        {ValidateNevixUsername, "user\tname", UsernameMessage},
    };
    for (const RuleCase& c : cases)
        EXPECT_EQ(c.rule(c.text), c.expected) << c.text.toStdString();
}

} // namespace
