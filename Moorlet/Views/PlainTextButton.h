#pragma once

#include <QAbstractButton>
#include <QColor>

namespace moorlet {

// A borderless button of a symbol and a short label, as the task picker's "Clear completed".
class PlainTextButton : public QAbstractButton {
    Q_OBJECT

public:
    PlainTextButton(const QString& symbol, const QString& text, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QColor m_color;
};

} // namespace moorlet
