#pragma once

#include <QString>

// Format rules of the identifiers that enquiries and the service account
// carry. Each returns "" for an acceptable text, else the message to show;
// none changes the text or raises. The registration-mark rule lives with
// the VRM rules (ValidateVRM, records/VRM.h).

// The text without leading and trailing spaces (only the space character).
QString TrimSpaces(const QString& text);

// 2 letters, then 3 digits (trimmed).
QString ValidateEnquirerId(const QString& text);
// 2 digits, then 2 letters (trimmed).
QString ValidateEnquiryCode(const QString& text);
// 1 to 20 characters (trimmed); letters, digits and ": -._#@/*;".
QString ValidateEnquiryReference(const QString& text);
// Empty, or 1 letter then 2 digits (trimmed).
QString ValidateIntermediaryId(const QString& text);
// 8 to 15 letters and digits, with a digit, a capital and a small letter.
QString ValidateNevixPassword(const QString& text);
// The password rule as the user reads it.
QString PasswordRuleText();
// 5 to 40 letters, digits and ": -._#@/*;".
QString ValidateNevixUsername(const QString& text);
