#include "database/DatabasePassword.h"

QString GetDbPassword()
{
    QString password(10, QLatin1Char('.'));
    static constexpr char16_t Codes[] = {0x6e, 0x76, 0x78, 0x64, 0x71, 0x6b, 0x7a};
    for (qsizetype i = 0; i < 7; ++i)
        password[i] = QChar(Codes[i]);
    return password.left(7).toUpper();
}
