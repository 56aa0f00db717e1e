// The README's example enquiry lines import as the README says they do.
//
// Each example is an indented line in the README's part on enquiry files,
// followed by a paragraph that names the settings it is read with
// (`Key=Value`), the layout the import finds (`... as `Layout``) and the
// values it stores (mark `...`, date of event `...`, and so on).

#include "ImportTest.h"

#include <QFile>
#include <QRegularExpression>

#include <map>
#include <set>

namespace {

struct ReadmeExample {
    int line = 0; // of the README, from 1
    QString text;
    QString paragraph; // what the README says of it
    QStringList settings;
    QString layout;
    std::map<QString, QString> values;
};

void PrintTo(const ReadmeExample& example, std::ostream* os)
{
    *os << "README line " << example.line;
}

QStringList ReadmeLines()
{
    QFile file(QStringLiteral(NEVIX_README));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n');
}

ReadmeExample Claims(ReadmeExample example)
{
    static const QRegularExpression setting(QStringLiteral("`(\\w+=[^`]*)`"));
    static const QRegularExpression layout(QStringLiteral("as `([^`]+)`"));
    static const QRegularExpression value(
        QStringLiteral("(mark|date of event|reference|enquirer|enquiry code|hard copy) `([^`]*)`"));
    for (const auto& m : setting.globalMatch(example.paragraph))
        example.settings << m.captured(1);
    example.layout = layout.match(example.paragraph).captured(1);
    for (const auto& m : value.globalMatch(example.paragraph))
        example.values[m.captured(1)] = m.captured(2);
    return example;
}

// The examples of the part on enquiry files, each with the paragraph after
// it (empty when none follows).
QList<ReadmeExample> ReadmeExamples()
{
    const QStringList lines = ReadmeLines();
    QList<ReadmeExample> examples;
    const qsizetype start = lines.indexOf(QStringLiteral("### Enquiry files"));
    if (start < 0)
        return examples;
    for (qsizetype i = start + 1; i < lines.size() && !lines[i].startsWith(u'#'); ++i) {
        if (!lines[i].startsWith(QStringLiteral("    ")) || !lines[i - 1].isEmpty())
            continue;
        ReadmeExample example;
        example.line = int(i + 1);
        example.text = lines[i].mid(4);
        qsizetype next = i + 1;
        while (next < lines.size() && lines[next].isEmpty())
            ++next;
        for (; next < lines.size() && !lines[next].isEmpty(); ++next)
            example.paragraph += lines[next] + u' ';
        examples << Claims(example);
    }
    return examples;
}

TEST(ReadmeImportExamples, ShowEveryLayoutOfEitherSettingsVersionEachWithWhatItImports)
{
    std::set<std::pair<QString, QString>> shown;
    for (const ReadmeExample& example : ReadmeExamples()) {
        EXPECT_TRUE(example.paragraph.contains(QStringLiteral("imports")))
            << "README line " << example.line << " says not what it imports";
        const QString version = example.settings.filter(QStringLiteral("ConfigVersion=")).value(0);
        shown.insert({version, example.layout});
    }
    for (const char* version : {"ConfigVersion=2.0", "ConfigVersion=3.0"}) {
        for (const char* layout : {"CSV", "Tab delimited", "Fixed length fields", "Bespoke"})
            EXPECT_EQ(shown.count({QLatin1String(version), QLatin1String(layout)}), 1u) << version << " " << layout;
    }
}

class ReadmeImportExample : public ImportTest, public ::testing::WithParamInterface<ReadmeExample> {};

TEST_P(ReadmeImportExample, ImportsAsTheReadmeSaysAndALaterRunSkipsItAsADuplicate)
{
    const ReadmeExample& example = GetParam();
    WriteSettings(example.settings.join(QStringLiteral("\r\n")));
    const QString file = WriteImportFile(QStringLiteral("in/VQ3README.IMP"), example.text.toUtf8() + "\r\n");
    Import(file, QStringLiteral("AB123"));
    ASSERT_EQ(results.VQ3sImported(), 1) << LogTexts().join(u'\n').toStdString();
    EXPECT_TRUE(Logged(QStringLiteral("Format established as type: ") + example.layout))
        << LogTexts().join(u'\n').toStdString();

    const std::map<QString, QString> columns = {
        {QStringLiteral("mark"), QStringLiteral("VRM")},
        {QStringLiteral("date of event"), QStringLiteral("substr(Date_Of_Event, 1, 10)")},
        {QStringLiteral("reference"), QStringLiteral("Enquiry_Reference")},
        {QStringLiteral("enquirer"), QStringLiteral("EnquirerId")},
        {QStringLiteral("enquiry code"), QStringLiteral("EnquiryCode")},
        {QStringLiteral("hard copy"), QStringLiteral("CASE Hardcopy_Response WHEN 1 THEN 'yes' ELSE 'no' END")}};
    ASSERT_TRUE(example.values.count(QStringLiteral("mark")));
    for (const auto& [name, said] : example.values)
        EXPECT_EQ(Scalar(QStringLiteral("SELECT ") + columns.at(name) + QStringLiteral(" FROM VQ3_Enquiries")).toString(),
                  said)
            << name.toStdString();

    TransmissionResults later;
    ImportVQ3FromFile(file, nullptr, log, false, later, QStringLiteral("AB123"), {&questions, 0});
    EXPECT_EQ(later.VQ3sImported(), 0);
    EXPECT_EQ(CountRows(QStringLiteral("VQ3_Enquiries")), 1);
    EXPECT_TRUE(LogTexts().filter(QStringLiteral("Exact duplicate for ") + example.values.at(QStringLiteral("mark")) +
                                  QStringLiteral(" found")).size() == 1)
        << LogTexts().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Readme, ReadmeImportExample, ::testing::ValuesIn(ReadmeExamples()),
                         [](const auto& info) {
                             QString mark = info.param.values.count(QStringLiteral("mark"))
                                                ? info.param.values.at(QStringLiteral("mark"))
                                                : QString();
                             mark.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")));
                             return "Example" + std::to_string(info.index + 1) + "_" + mark.toStdString();
                         });

} // namespace
