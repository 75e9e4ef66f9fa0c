#pragma once

#include <QString>

#include <exception>
#include <functional>

class Messages;

// What the user sees when an exception reaches the event loop: the operation that raised
// it has stopped; the program goes on.
namespace ApplicationErrors {

QString duplicateKeyText();

// A key violation gets the duplicate-key warning, another database error its
// "Eroare de acces la baza de date!" text, any other exception its own text.
void report(const std::exception &error, Messages &messages);
void reportUnknown(Messages &messages);

// Runs one event delivery; an exception escaping it is reported and the event counts
// as not handled.
bool guard(const std::function<bool()> &deliver, Messages &messages);

} // namespace ApplicationErrors
