#pragma once

#include <initializer_list>

class QHBoxLayout;
class QWidget;

namespace vanta::platform {

// A dialog's closing buttons (OK, Cancel, ...) in one row at its right edge.
QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons);

} // namespace vanta::platform
