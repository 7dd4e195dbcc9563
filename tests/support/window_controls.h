// Finding a window's controls by their design names in window tests.
#pragma once

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace vanta::test {

// The child of `window` of type T named `name`; a test failure (and null) when there is none.
template <typename T>
T *findControl(const QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

} // namespace vanta::test
