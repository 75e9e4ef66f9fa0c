#pragma once

// A window that could not open its tables has already told the user; it is discarded
// and its command opens nothing.
template <typename Form>
Form *openedOrNull(Form *form)
{
    if (form->isOpen())
        return form;
    delete form;
    return nullptr;
}
