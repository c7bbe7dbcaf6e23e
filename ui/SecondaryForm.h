#pragma once
// The one instance of a secondary window (ProductsForm, HelpForm, ...), reached like a pointer.
// The secondary windows are created together, in their fixed order, right after the main
// window's first paint (Forms.cpp); whatever reaches one before that, such as input queued
// before the paint, creates them all at that moment instead.

// Creates the five secondary windows unless they exist or the main window does not.
void CreateSecondaryForms();

template <typename Form> class SecondaryForm {
public:
    Form* get() const {
        if (!form_) CreateSecondaryForms();
        return form_;
    }
    Form* operator->() const { return get(); }
    Form& operator*() const { return *get(); }
    operator Form*() const { return get(); }

    // The instance as it is, for creating and destroying it (Forms.cpp) only.
    Form*& instance() { return form_; }

private:
    Form* form_ = nullptr;
};
