// SPDX-License-Identifier: GPL-3.0-or-later
// An on/off switch that shows the text of the state it is in.
#pragma once

#include <QAbstractButton>

namespace kvor::rt {

class SwitchWidget : public QAbstractButton {
    Q_OBJECT
  public:
    explicit SwitchWidget(QWidget* parent = nullptr);
    void setTexts(const QString& on, const QString& off);
    const QString& onText() const { return on_; }
    const QString& offText() const { return off_; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString on_, off_;
};

} // namespace kvor::rt
