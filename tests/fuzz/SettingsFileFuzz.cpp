// Settings files as they are found on disk: the profile file reader, the
// raw settings reads and the loading of the program's settings.
//
// Properties: INIFile reads each value as the profile file does (cut to
// its buffer and trimmed); and a file read, written into a new file item by
// item and read again keeps every section, key and value the first read
// saw. Left out of that comparison, as the format cannot hold them or the
// writer refuses them: values with blanks at either end (only quotes keep
// them, and the writer does not quote), values enclosed in a pair of
// quotes, a CR inside a value or a name, and section names that are empty
// or hold "]". Repeated sections and keys need no exception: the first
// wins, on the first reading as on the second.

#include "FuzzWorld.h"

#include "core/ApplicationSettings.h"
#include "core/INIFile.h"
#include "core/ProfileFile.h"

#include <QFile>
#include <QStringList>

namespace {
struct Item {
    QString section;
    QString key;
    QString value;
};

bool CanHold(const Item& item)
{
    const QString& v = item.value;
    if (v != v.trimmed() || v.contains(u'\r') || item.key.contains(u'\r') || item.section.contains(u'\r'))
        return false;
    if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
        return false;
    return !item.section.trimmed().isEmpty() && !item.section.contains(u']');
}

QList<Item> ReadAll(const ProfileFile& file)
{
    QList<Item> items;
    for (const QString& section : file.Sections())
        for (const QString& key : file.Keys(section))
            items.append({section, key, file.Value(section, key).value_or(QStringLiteral("<missing>"))});
    return items;
}

void WriteFile(const QString& path, const uint8_t* data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        Require(false, "the fuzz file can be written");
    file.write(reinterpret_cast<const char*>(data), qint64(size));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzWorld& world = FuzzWorld::Get();
    const QString path = world.PathOf(QStringLiteral("Nevix.INI"));
    WriteFile(path, data, size);

    const ProfileFile file(path);
    const QList<Item> first = ReadAll(file);

    const INIFile ini;
    (void)ini.GetIniString(QString(), QString(), QString(), path);
    for (const Item& item : first) {
        if (item.section.isEmpty())
            continue; // an empty group asks for the list of sections
        (void)ini.GetIniString(item.section, QString(), QString(), path);
        const QString raw = file.Value(item.section, item.key).value_or(QString());
        Require(ini.GetIniString(item.section, item.key, QStringLiteral("<missing>"), path) ==
                    raw.left(INIFile::BufferSize - 1).trimmed(),
                "INIFile reads a value as the profile file does");
    }

    ReleaseSettings();
    Settings().Load(); // reading never raises

    const QString copyPath = world.PathOf(QStringLiteral("copy.ini"));
    QFile::remove(copyPath);
    ProfileFile copy(copyPath);
    // Each write rewrites the whole file: a few dozen items show the rule
    // without making one input take seconds.
    constexpr qsizetype MaxWrites = 16;
    QList<Item> kept;
    for (const Item& item : first) {
        if (!CanHold(item) || kept.size() == MaxWrites)
            continue;
        Require(copy.Write(item.section, item.key, item.value), "a value read can be written");
        kept.append(item);
    }
    for (const Item& item : kept)
        Require(copy.Value(item.section, item.key) == item.value, "a value written reads back as it was read");
    for (const Item& item : kept)
        Require(copy.Keys(item.section).contains(item.key, Qt::CaseInsensitive), "every key is kept");
    return 0;
}
