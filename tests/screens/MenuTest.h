#pragma once

#include "support/LoggedOnTest.h"

#include "screens/common/InitialisableForm.h"

#include <QDialog>
#include <QStringList>

#include <gtest/gtest.h>

// A screen the menu can open: counts its initialisations, or fails them.
class TestScreen : public QDialog, public InitialisableForm {
public:
    explicit TestScreen(QString title, bool fails = false) : m_fails(fails)
    {
        setObjectName(QStringLiteral("frmTestScreen"));
        setWindowTitle(std::move(title));
    }
    void InitialiseForm() override
    {
        ++initialised;
        if (m_fails)
            throw NevixError(ErrorNumbers::ObjectErrorBase, QStringLiteral("The screen broke"));
    }
    int initialised = 0;

private:
    bool m_fails;
};

using MenuTest = LoggedOnTest;
