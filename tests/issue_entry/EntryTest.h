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
