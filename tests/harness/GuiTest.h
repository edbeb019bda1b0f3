#pragma once

#include "Harness.h"

#include <QObject>

// Base of the GUI tests: each test function gets a program of its own, its
// main form shown and the splash skipped, and leaves nothing behind.
class GuiTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<ProgramWindows> program;

private slots:
    void init() { program = Harness::startProgram(); }
    void cleanup() { Harness::stopProgram(program); }
};
