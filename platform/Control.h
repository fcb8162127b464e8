// Base of every control: a Qt widget plus the state the program keeps for it
// (geometry in twips, name, index, tag, font, colours), so that what the
// windows read back is exactly what they set.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class Form;

class Control {
public:
    Control(Form& form, Control* container, const QString& name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& Name() const { return m_name; }
    int Index() const { return m_index; }
    // "btVa", or "ccCréa(3)" for a member of a control array.
    QString ObjectName() const;
    Form& Parent() const { return m_form; }
    Control* Container() const { return m_container; }
    QWidget* widget() const { return m_widget; }
    // The widget that children of this control are placed in.
    virtual QWidget* childHost() const { return m_widget; }

    // Geometry in twips inside the container.
    virtual bool HasPosition() const { return true; }
    virtual bool HasFont() const { return true; }
    double Left() const { return m_left; }
    double Top() const { return m_top; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void Move(double left, double top, double width = -1, double height = -1);

    bool Visible() const { return m_visible; }
    void setVisible(bool v);
    // One property for every control, timers included: a change runs enabledChanged().
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool v);
    const QString& Tag() const { return m_tag; }
    void setTag(const QString& t) { m_tag = t; }
    QString ToolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& t);
    // What assistive tools announce for the control: its caption as shown, else what was
    // set here, else its tool tip.
    QString AccessibleName() const;
    void setAccessibleName(const QString& n);

    // Place in the window's focus chain; controls start in creation order.
    int TabIndex() const { return m_tabIndex; }
    void setTabIndex(int i);

    QString FontName() const { return m_fontName; }
    double FontSize() const { return m_fontSize; }
    bool FontBold() const { return m_fontBold; }
    void setFontName(const QString& n);
    void setFontSize(double pt);
    void setFontBold(bool b);
    void setFont(const QString& name, double pt, bool bold = false);
    void Refresh();

    long BackColor() const { return m_backColor; }
    void setBackColor(long bgr);
    long ForeColor() const { return m_foreColor; }
    void setForeColor(long bgr);

    void SetFocus();
    void ZOrder(int position = 0);

    // Whether the control has a readable property of that name (letter case ignored).
    bool HasProperty(const QString& name) const;

protected:
    void setWidget(QWidget* w);
    // Connection context: dies with the control, so no signal reaches a control that is gone.
    QObject* ctx() const { return m_ctx.get(); }
    virtual void applyGeometry();
    // The control's place and size in the container's pixels.
    QRect pixelGeometry() const;
    virtual void applyFont();
    virtual void applyColors();
    virtual QStringList extraProperties() const { return {}; }
    virtual void enabledChanged() {}
    // Captioned controls give the caption the user reads; the others have none.
    virtual QString captionRead() const { return {}; }
    void applyAccessibleName();
    bool m_hasBackColor = false;

private:
    Form& m_form;
    Control* m_container;
    QString m_name;
    int m_index;
    QPointer<QWidget> m_widget;
    std::unique_ptr<QObject> m_ctx;
    double m_left = 0, m_top = 0, m_width = 1200, m_height = 360;
    bool m_visible = true, m_enabled = true;
    QString m_tag, m_toolTip, m_accessibleName;
    int m_tabIndex = 0;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    double m_fontSize = 8.25;
    bool m_fontBold = false;
    long m_backColor = 0xF0F0F0;
    long m_foreColor = 0;
};

// The free font that stands in for one of the program's Windows fonts, with the same
// metrics where one is installed.
QString FreeFontFamily(const QString& windowsName);

// Mouse arguments as the handlers receive them: button 1 left, 2 right, 4 middle;
// shift 1 Shift, 2 Ctrl, 4 Alt; X and Y in twips from the control's top left.
using MouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;
