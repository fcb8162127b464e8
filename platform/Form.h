// A window of the program: its controls are built by CreateControls at every
// load, in their design state; unloading destroys them while the form object
// and its own variables live on.
#pragma once

#include "Control.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

class FormWidget;

enum WindowStateValue { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };

class Form {
public:
    explicit Form(const QString& name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const QString& Name() const { return m_name; }
    bool Loaded() const { return m_loaded; }
    // True while Form_Unload runs.
    bool Unloading() const { return m_unloading; }

    // Loads when not loaded: controls in their design state, then Form_Load.
    void Load();
    // Runs Form_Unload; unless cancelled the controls and their contents are gone.
    // Returns false when the unload was cancelled.
    bool Unload();
    // Shows the window (loading it first) and brings it forward: a minimised window comes
    // back in the state it had before. Modal 1 waits until it is hidden or unloaded.
    void Show(int modal = 0);
    void Hide();
    bool Visible() const;

    QString Caption();
    void setCaption(const QString& c);
    // Outer geometry in twips.
    double Left();
    double Top();
    double Width();
    double Height();
    void setLeft(double v);
    void setTop(double v);
    void setWidth(double v);
    void setHeight(double v);
    void Move(double left, double top, double width = -1, double height = -1);
    // Sizes the window so that its client area is width x height twips, whatever frame
    // the desktop draws around it.
    void setClientSize(double width, double height);
    double ScaleWidth();
    double ScaleHeight();
    int WindowState();
    void setWindowState(int s);
    // 0 manual, 1 centre of owner, 2 centre of screen, 3 system default.
    int StartUpPosition();
    long BackColor() const { return m_backColor; }
    void setBackColor(long bgr);
    // Above every other window while loaded; each load starts without it.
    bool Topmost() const { return m_topmost; }
    void setTopmost(bool on);

    // Every control, those inside frames included, in creation order.
    std::vector<Control*> Controls();
    Control* ControlByName(const QString& objectName);
    Control* ActiveControl();
    int controlCount() const { return static_cast<int>(m_controls.size()); }
    // Chains the focus through the controls that take it, by TabIndex.
    void applyTabOrder();

    QWidget* widget();            // loads
    QWidget* clientArea() const;  // where the form's own controls go
    FormWidget* topWidget() const { return m_widget; }

    // Loaded forms, in the order they were loaded.
    static std::vector<Form*> Forms();

    // Called by the window when the user or the desktop asks it to close.
    bool requestClose();
    // Called by the window when its real size or state changed.
    void onNativeResize();
    void onNativeStateChange();

    // Creates a control of this form in its container (nullptr: the form itself).
    template <class T, class... A>
    T* Ajoute(Control* container, const QString& name, int index = -1, A&&... args) {
        auto c = std::make_unique<T>(*this, container, name, index, std::forward<A>(args)...);
        T* raw = c.get();
        m_controls.push_back(std::move(c));
        return raw;
    }

protected:
    virtual void CreateControls() = 0;
    virtual void Form_Load() {}
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_Resize() {}

    // Design values that every load starts from.
    double m_designWidth = 6000, m_designHeight = 4000, m_designLeft = 0, m_designTop = 0;
    int m_designStartUp = 3;
    bool m_frameless = false;
    QString m_designCaption;

private:
    void applyGeometry();
    // The frame's width and height in pixels; none is known before the window shows.
    QSize frameExtra() const;
    void enterState(int s);
    void ensureLoaded() {
        if (!m_loaded) Load();
    }
    QString m_name;
    bool m_loaded = false;
    bool m_loading = false;
    bool m_unloading = false;
    FormWidget* m_widget = nullptr;
    std::vector<std::unique_ptr<Control>> m_controls;
    double m_left = 0, m_top = 0, m_width = 0, m_height = 0;
    int m_state = vbNormal;
    // The state a minimised window goes back to.
    int m_avantIco = vbNormal;
    int m_startUp = 3;
    bool m_applying = false;
    bool m_topmost = false;
    long m_backColor = 0xF0F0F0;
    QString m_caption;
};

class FormWidget : public QWidget {
public:
    explicit FormWidget(Form& f);
    Form& form() { return m_form; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    Form& m_form;
};

namespace ModalLoops {
void QuitFor(Form* f);
void QuitAll();
}  // namespace ModalLoops
