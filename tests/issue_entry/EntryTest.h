#pragma once

#include "EntryFixture.h"

#include <QObject>

// Base of the entry window's test classes: every test starts with neither window loaded.
class EntryTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { EntryFixture::closeWindows(); }
};

// The test classes, run one after another by test_issue_entry's main.
int runInstalmentTests(int argc, char** argv);
int runEntryRulesTests(int argc, char** argv);
int runSavingTests(int argc, char** argv);
int runFlowTests(int argc, char** argv);
