// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GuiSupport.h"

#include <QObject>

#include <memory>

namespace pexaro::test {

// A test class whose every test function gets a fresh seeded program; tests
// that need more set-up around it override the two hooks.
class ProgramTest : public QObject {
    Q_OBJECT
protected:
    std::unique_ptr<ui::Program> program;

    virtual void setUpProgram() { }
    virtual void tearDownProgram() { }

private slots:
    void init()
    {
        program = seededProgram();
        setUpProgram();
    }
    void cleanup()
    {
        tearDownProgram();
        program.reset();
    }
};

} // namespace pexaro::test
