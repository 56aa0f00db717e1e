#pragma once

#include "database/RecordCollection.h"
#include "database/RecordOf.h"

// A record class as the record Parts build them, over the test table
// WIDGETS (see DatabaseTest::CreateWidgetTable).
struct WidgetFields {
    QString WidgetId;
    QString Name;
    int32_t Quantity = 0;
    bool Active = true;
    NullableDate MadeOn;
};

class Widget : public RecordOf<WidgetFields> {
public:
    QString Key() const override { return Current().WidgetId; }
    QString Name() const { return Current().Name; }
    void SetName(const QString& value) { SetText(&WidgetFields::Name, value, Qt::CaseSensitive); }
    int32_t Quantity() const { return Current().Quantity; }
    void SetQuantity(int32_t value) { SetField(&WidgetFields::Quantity, value); }
    bool Active() const { return Current().Active; }
    void SetActive(bool value) { SetField(&WidgetFields::Active, value); }
    NullableDate MadeOn() const { return Current().MadeOn; }
    void SetMadeOn(const NullableDate& value) { SetField(&WidgetFields::MadeOn, value); }

    void Load(const QString& id)
    {
        LoadQuery(QStringLiteral("SELECT * FROM WIDGETS WHERE WidgetId=?"), {id});
    }

protected:
    const RecordTable& Table() const override
    {
        static const RecordTable table{QStringLiteral("WIDGETS"), QStringLiteral("WidgetId"),
                                       QStringLiteral("WIDGETS")};
        return table;
    }
    void SetKey(const QString& key) override { MutableFields().WidgetId = key; }
    void ReadRow(const RecordSet& rs) override
    {
        WidgetFields& f = MutableFields();
        if (const auto v = rs.Text(QStringLiteral("WidgetId")))
            f.WidgetId = *v;
        if (const auto v = rs.Text(QStringLiteral("Name")))
            f.Name = *v;
        if (const auto v = rs.Long(QStringLiteral("Quantity")))
            f.Quantity = *v;
        if (const auto v = rs.Bool(QStringLiteral("Active")))
            f.Active = *v;
        f.MadeOn = rs.DateTime(QStringLiteral("MadeOn"));
    }
    ColumnValues RowValues() const override
    {
        const WidgetFields& f = Current();
        return {{QStringLiteral("Name"), TextOrNull(f.Name)},
                {QStringLiteral("Quantity"), f.Quantity},
                {QStringLiteral("Active"), f.Active},
                {QStringLiteral("MadeOn"), ToVariant(f.MadeOn)}};
    }
};

class Widgets : public RecordCollection<Widget> {
public:
    void Load() { LoadBySQL(QStringLiteral("SELECT * FROM WIDGETS ORDER BY WidgetId")); }

protected:
    // New members wait under a temporary key until Apply gives them theirs.
    QString KeyFor(const Widget& widget) const override
    {
        return widget.IsNew() ? QStringLiteral("NW%1").arg(Count() + 1) : widget.Key();
    }
};

inline std::shared_ptr<Widget> NewWidget(const QString& name, int32_t quantity)
{
    auto widget = std::make_shared<Widget>();
    widget->SetName(name);
    widget->SetQuantity(quantity);
    return widget;
}
