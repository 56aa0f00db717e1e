#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class VQ7;

// What the response screen shows of one response (or of none), worked out
// without a window: the detail boxes' texts by control name, the keeper
// layout, the DVLA lines and the state of the actions.
struct ResponseDetails {
    // The keeper name boxes: title, surname and forename ("Surname"), or
    // one wide box for a company or another name.
    enum class KeeperLayout { Unchanged, Surname, Company, Other };

    bool HasResponse = false;
    // Every detail box of the window, by control name; a box not named
    // here is emptied.
    QHash<QString, QString> Texts;
    // The boxes and labels tagged "LEGACY".
    bool LegacyVisible = false;
    KeeperLayout Keeper = KeeperLayout::Unchanged;
    QStringList DvlaLines;
    bool Blacklisted = false;
    bool CanExport = false;

    QString Text(const QString& control) const { return Texts.value(control); }
    // The caption of the keeper title's label for the layout.
    static QString KeeperCaption(KeeperLayout layout);
    QString BlacklistCaption() const;
};

// The details of a response (none: the empty screen), given whether its
// VRM is on the blacklist and whether the user has responses to export.
ResponseDetails MakeResponseDetails(const VQ7* response, bool blacklisted, bool exportable);

// The title shown for a keeper: the title itself ("other" shows nothing),
// else the text of the title code.
QString KeeperTitleText(const QString& title, const QString& titleCode);
