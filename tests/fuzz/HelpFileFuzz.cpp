// Compiled help files. The input is read two ways.
//
// As a help file: its bytes are written to a file the reader opens, finds
// pages in and reads objects from. Beyond "no crash and no hang", a file it
// refuses is refused with the reader's own error.
//
// As the objects of a help file we write ourselves (ChmWriter, nothing
// compressed): the first byte chooses the directory's chunk size, then
// each object is a name length, a name (printable ASCII), a content length
// and the content. Every object of that file must read back as written,
// and the file's title, default topic and context map must read as given.

#include "FuzzWorld.h"

#include "ChmWriter.h"
#include "help/ChmFile.h"
#include "platform/NevixError.h"

#include <QFile>
#include <QList>

#include <map>

namespace {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        Require(false, "the fuzz file can be written");
}

void ReadAsHelpFile(const QString& path, const uint8_t* data, size_t size)
{
    WriteFile(path, QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    try {
        const ChmFile file(path);
        (void)file.Title();
        for (const int32_t topic : {0, 1000, 2000, -1})
            (void)file.PageForTopic(topic);
        for (const char* page : {"/welcome.htm", "/#SYSTEM", "images/menu.png", "/a/b/c/menu.htm", "::DataSpace/NameList"})
            (void)file.Read(QString::fromLatin1(page));
        (void)file.FindPage(QString(600, u'/') + QStringLiteral("menu.htm"));
    } catch (const NevixError& e) {
        Require(e.Description().contains(path), "a refused help file is named in the error");
    }
}

// The objects the input describes, by path; ChmWriter's order of names
// makes a later path equal but for letter case replace an earlier one.
std::map<QByteArray, QByteArray, ChmWriter::FoldedLess> Objects(const uint8_t* data, size_t size)
{
    std::map<QByteArray, QByteArray, ChmWriter::FoldedLess> objects;
    size_t at = 1;
    while (at < size) {
        const size_t nameLength = 1 + data[at++] % 80;
        QByteArray name("/");
        for (size_t i = 0; i < nameLength && at < size; ++i)
            name += char(0x21 + data[at++] % 94);
        size_t contentLength = 0;
        if (at < size)
            contentLength = data[at++];
        if (at < size)
            contentLength = contentLength * 16 + data[at++] % 16;
        contentLength = std::min(contentLength, size - at);
        objects.erase(name);
        objects.emplace(name, QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(contentLength)));
        at += contentLength;
    }
    // The reader's own objects, which the writer makes.
    for (const char* own : {"/#SYSTEM", "/#IVB", "/#STRINGS"})
        objects.erase(own);
    return objects;
}

void WriteAndReadBack(const QString& path, const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    const auto objects = Objects(data, size);
    ChmWriter writer;
    QList<QPair<int32_t, QByteArray>> topics;
    for (const auto& [name, content] : objects) {
        writer.Add(name, content);
        topics.append({int32_t(topics.size() + 1), "C:/build/help" + name});
    }
    const QByteArray defaultTopic = objects.empty() ? QByteArray() : objects.begin()->first;
    writer.AddSystem(defaultTopic, "Fuzzed help");
    writer.AddTopics(topics);
    if (!writer.Write(path, 512 * (1 + data[0] % 8)))
        Require(false, "the help file can be written");

    const ChmFile file(path);
    Require(file.Title() == QLatin1String("Fuzzed help"), "the title reads back");
    Require(file.DefaultTopic() == QString::fromLatin1(defaultTopic), "the default topic reads back");
    for (const auto& [name, content] : objects)
        Require(file.Read(QString::fromLatin1(name)) == content, "every object reads back as written");
    for (const auto& [topic, page] : topics) {
        const QString found = file.PageForTopic(topic);
        // A shorter trailing part of the build path may be another object.
        Require(!found.isEmpty() && QString::fromLatin1(page).endsWith(found, Qt::CaseInsensitive),
                "a mapped topic finds a page its path ends with");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzWorld& world = FuzzWorld::Get();
    ReadAsHelpFile(world.PathOf(QStringLiteral("input.chm")), data, size);
    WriteAndReadBack(world.PathOf(QStringLiteral("written.chm")), data, size);
    return 0;
}
