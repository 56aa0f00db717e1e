#include "accounts/Validation.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace {

const QString EnquirerIdMessage = "The Enquirer Id must be 2 characters followed by 3 numbers";
const QString CodeMessage = "The EnquiryCode Id must be 2 numbers followed by 2 characters";
const QString LengthMessage = "Enquiry reference must be 1 to 20 characters";
const QString CharacterMessage = "Enquiry reference can only contain A-Z, 0-9 and : -._#@/*;";
const QString IntermediaryMessage = "The Intermediary Id must be 1 character followed by 2 numbers";
const QString PasswordMessage = QStringLiteral(
    "Passwords are case sensitive, between 8 and 15 alphanumerics with at least 1 digit, 1 upper and 1 "
    "lower case letter");
const QString UsernameMessage = QStringLiteral(
    "NEVIX Service user names are between 5 and 40 characters and can contain a combination of digits, "
    "letters and : -/_#@");

TEST(FieldRules, AcceptAndRefuseWithTheirMessages)
{
    const struct {
        QString (*rule)(const QString&);
        QString message;
        QStringList accepted, refused;
    } rules[] = {
        {ValidateEnquirerId, EnquirerIdMessage, {"AB123", "ab123", " AB123 "},
         {"A1234", "AB12", "AB1234", "\u00c9B123"}},
        {ValidateEnquiryCode, CodeMessage, {"12AB"}, {"AB12"}},
        {ValidateEnquiryReference, LengthMessage,
         {QString(20, u'R'), "  " + QString(20, u'R') + " ", "REF 12/3", "a:-._#@/*;"},
         {"", "   ", QString(21, u'R')}},
        {ValidateEnquiryReference, CharacterMessage, {}, {"REF,12"}},
        {ValidateIntermediaryId, IntermediaryMessage, {"", "A12"}, {"   ", "AB1"}},
        {ValidateNevixPassword, PasswordMessage, {"Abcdefg1", "Abcdefg12345678"},
         {"abcdefg1", "ABCDEFG1", "Abcdefgh", "Abcdef1", "Abcdefg123456789", "Abcd efg1", "Abcd-efg1"}},
        {ValidateNevixUsername, UsernameMessage, {"abcde", QString(40, u'u'), "user.name"},
         {"abcd", QString(41, u'u'), "user,name", "user\tname"}},
    };
    for (const auto& r : rules) {
        for (const QString& text : r.accepted)
            EXPECT_EQ(r.rule(text), QString()) << text.toStdString();
        for (const QString& text : r.refused)
            EXPECT_EQ(r.rule(text), r.message) << text.toStdString();
    }
}

} // namespace
