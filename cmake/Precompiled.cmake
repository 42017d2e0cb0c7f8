# Precompiled headers: every source of the widget layers and the tests reads
# thousands of lines of Qt headers before its own. They are compiled once,
# by vanta_platform_ui, and the other widget layers reuse that header (their
# compile flags are the same); the tests have one of their own with
# GoogleTest and Qt Test added.
option(VANTA_PCH "Precompile the Qt headers the widget layers and the tests share" ON)

set(VANTA_PCH_WIDGET_HEADERS
  <QString> <QStringList> <QList> <QHash> <QSet> <QVariant> <QDateTime> <QDir> <QFile> <QFileInfo> <QObject>
  <QApplication> <QWidget> <QDialog> <QLabel> <QLineEdit> <QPushButton> <QComboBox> <QCheckBox> <QGroupBox>
  <QBoxLayout> <QGridLayout> <QFormLayout> <QAbstractTableModel> <QHeaderView> <QTableView>
  <functional> <memory> <optional> <vector>)

if(VANTA_PCH)
  target_precompile_headers(vanta_platform_ui PRIVATE ${VANTA_PCH_WIDGET_HEADERS})
endif()

# vanta_share_precompiled(TARGETS...): the targets reuse vanta_platform_ui's
# precompiled header.
function(vanta_share_precompiled)
  if(VANTA_PCH)
    foreach(target ${ARGN})
      target_precompile_headers(${target} REUSE_FROM vanta_platform_ui)
    endforeach()
  endif()
endfunction()

# vanta_precompile_tests(TARGET): the widget headers, GoogleTest and Qt Test.
function(vanta_precompile_tests target)
  if(VANTA_PCH)
    target_precompile_headers(${target} PRIVATE ${VANTA_PCH_WIDGET_HEADERS} <QTest> <gtest/gtest.h> <gmock/gmock.h>)
  endif()
endfunction()
