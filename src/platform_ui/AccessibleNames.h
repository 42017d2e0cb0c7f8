#pragma once

#include <QList>

class QWidget;

namespace vanta::platform {

// Gives each field of a form that a person types or chooses in (line
// edits, spin boxes, combo boxes, text boxes) and that has no accessible
// name yet the name a sighted person reads beside it: the text of the label
// it is the buddy of (or the label of its form-layout row), else its tool
// tip, else its placeholder text. Screen readers and test tools then find
// every field by what it is.
void nameFields(QWidget *form);

// The fields of a form that a person types or chooses in.
QList<QWidget *> typedFields(const QWidget *form);

} // namespace vanta::platform
