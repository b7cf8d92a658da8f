#pragma once
// How the preset flow asks the user for a name. The pages answer with the
// NAME dialog; tests with a fake.

#include <QString>
#include <optional>

namespace mixer {

class NamePrompt {
public:
    virtual ~NamePrompt() = default;
    // Shows `current` for editing; the edited text after OK, nothing after Cancel.
    virtual std::optional<QString> AskName(const QString& current) = 0;
};

}  // namespace mixer
