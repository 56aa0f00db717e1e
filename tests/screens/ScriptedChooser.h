#pragma once

#include "screens/records/EnquirerChooser.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

// Answers the enquirer question from a script ("" when none is left),
// counting the questions; checks their purpose when one is expected.
class ScriptedChooser : public EnquirerChooser {
public:
    QString ChooseEnquirer(Purpose purpose, QWidget*) override
    {
        ++asked;
        if (expected) {
            EXPECT_EQ(purpose, *expected);
        }
        if (whileAsked)
            whileAsked();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    QStringList answers;
    int asked = 0;
    std::optional<Purpose> expected;
    std::function<void()> whileAsked;
};
