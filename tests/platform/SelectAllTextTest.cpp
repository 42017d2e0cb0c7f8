#include "platform/SelectAllText.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

TEST(SelectAllText, SelectsTheFocusedBoxOnly)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *focused = new QLineEdit("1234");
    auto *other = new QLineEdit("5678");
    layout->addWidget(focused);
    layout->addWidget(other);
    window.show();
    window.activateWindow();
    focused->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), focused);

    vanta::platform::SelectAllText();
    EXPECT_EQ(focused->selectedText(), "1234");
    EXPECT_FALSE(other->hasSelectedText());

    // Nothing focused: nothing to do, and no failure.
    focused->clearFocus();
    QApplication::processEvents();
    vanta::platform::SelectAllText();
    EXPECT_FALSE(other->hasSelectedText());
}
