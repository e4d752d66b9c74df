#pragma once

#include <QDialog>

// Each of the module's windows exists at most once: using it loads it (constructing it runs
// its load step) and closing it unloads it (destroys it), so every use meets a fresh window.
// A load that fails leaves nothing loaded and passes its error on.
template <class Form> class SingleInstanceForm : public QDialog
{
public:
    static Form& instance()
    {
        if (!s_form) {
            auto form = std::make_unique<Form>();
            form->Form_Load();
            s_form = form.release();
        }
        return *s_form;
    }
    static bool isLoaded() { return s_form != nullptr; }

    // Shows the window modally, loading it first if needed, and unloads it once it closes.
    static void showModal()
    {
        Form& form = instance();
        form.exec();
        Unload();
    }

    static void Unload()
    {
        delete s_form;
        s_form = nullptr;
    }

protected:
    using QDialog::QDialog;
    ~SingleInstanceForm() override
    {
        if (s_form == this)
            s_form = nullptr;
    }

private:
    static inline Form* s_form = nullptr;
};
