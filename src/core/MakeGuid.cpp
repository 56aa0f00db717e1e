#include "core/MakeGuid.h"

#include <QUuid>

QString MakeGuid()
{
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}
