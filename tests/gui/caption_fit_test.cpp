// Every caption of both windows fits the room its style draws it in, measured with the font
// the windows are shown in. CTest runs this once on a system that has only the DejaVu fonts
// and once on one that has only the Liberation fonts (a fontconfig configuration each);
// ROUTIX_FONT_FAMILY names the family that the run must get.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTreeWidget>
#include <string>

#include "app/form_description.h"
#include "gui/frm_main.h"
#include "gui/frm_select_bnd.h"
#include "gui/twips.h"

namespace routix::gui {
namespace {

// The room the style gives widget's caption, and the size the caption takes in the
// widget's font; both empty for a widget without a caption.
struct Caption {
  QRect room;
  QSize size;
};

Caption Measure(const QWidget* widget) {
  const QFontMetrics metrics = widget->fontMetrics();
  const QStyle* style = widget->style();
  if (const auto* label = qobject_cast<const QLabel*>(widget)) {
    const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                      -label->margin(), -label->margin());
    const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    return {room, metrics.boundingRect(room, flags | label->alignment(), label->text()).size()};
  }
  if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
    if (box->title().isEmpty()) return {};
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.textAlignment = box->alignment();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
    // The title's room is the frame, less the title's margin at its left on both sides.
    return {QRect(label.left(), label.top(), box->width() - 2 * label.left(), label.height()),
            metrics.size(Qt::TextSingleLine, box->title())};
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QStyle::SubElement contents =
        qobject_cast<const QCheckBox*>(button)      ? QStyle::SE_CheckBoxContents
        : qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                                    : QStyle::SE_PushButtonContents;
    return {style->subElementRect(contents, &option, button),
            metrics.size(Qt::TextShowMnemonic, button->text())};
  }
  return {};
}

// Every control of the form with a caption shows it whole, lies inside its container, and
// keeps its twips place up and down.
void ExpectCaptionsFit(const QWidget& form, const app::FormDescription& description) {
  EXPECT_EQ(form.height(), SizeInTwips(&form, 0, description.height).height());
  EXPECT_GE(form.width(), SizeInTwips(&form, description.width, 0).width());
  for (const app::ControlDescription& control : description.controls) {
    const QString name = QString::fromLatin1(control.name.data(), control.name.size());
    const QWidget* widget = form.findChild<QWidget*>(name);
    ASSERT_NE(widget, nullptr) << name.toStdString();
    SCOPED_TRACE(name.toStdString() + " \"" + std::string(control.caption) + "\"");
    const Caption caption = Measure(widget);
    EXPECT_LE(caption.size.width(), caption.room.width());
    EXPECT_LE(caption.size.height(), caption.room.height());
    EXPECT_TRUE(widget->parentWidget()->rect().contains(widget->geometry()))
        << "outside its container";
    EXPECT_EQ(widget->y(), SizeInTwips(widget, 0, control.top).height());
    EXPECT_EQ(widget->height(), SizeInTwips(widget, 0, control.height).height());
  }
}

TEST(CaptionFit, EveryCaptionOfBothWindowsFitsInTheFontTheyAreShownIn) {
  frmMain window;
  const QByteArray family = qgetenv("ROUTIX_FONT_FAMILY");
  if (!family.isEmpty()) {
    ASSERT_EQ(QFontInfo(window.font()).family().toStdString(), family.toStdString());
  }
  {
    SCOPED_TRACE("frmMain");
    ExpectCaptionsFit(window, app::kMainForm);
  }

  SCOPED_TRACE("frmSelectBnd");
  frmSelectBnd dialog({{1, "North", "4"}}, {}, &window);
  ExpectCaptionsFit(dialog, app::kSelectBoundaryForm);
  const auto* header = dialog.findChild<QTreeWidget*>("lstBnd")->header();
  const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
  for (int i = 0; i < header->count(); ++i) {
    const QString text = header->model()->headerData(i, Qt::Horizontal).toString();
    SCOPED_TRACE(text.toStdString());
    EXPECT_LE(header->fontMetrics().horizontalAdvance(text) + 2 * margin, header->sectionSize(i));
  }
}

}  // namespace
}  // namespace routix::gui
