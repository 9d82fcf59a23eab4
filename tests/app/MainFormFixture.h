#pragma once

#include "SlipBox.h"
#include "TMainForm.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A shown window started in a fresh working folder, which holds the given
// coordinate file (GBK) unless it is null.
class MainFormFixture : public ::testing::Test {
protected:
    void startWindow(const char *coordinateFileUtf8);
    void TearDown() override;

    SlipBox *box(int number) const;

    QTemporaryDir m_workdir;
    QString m_previousDir = QDir::currentPath();
    std::unique_ptr<TMainForm> m_form;
};
