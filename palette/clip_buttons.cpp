#include "palette/clip_buttons.h"

#include <utility>

#include "palette/palette_texts.h"
#include "palette/phrases.h"

namespace orvex::palette {

ClipButtons::ClipButtons(std::filesystem::path systemFile) : m_file(std::move(systemFile)) {}

void ClipButtons::loadPhrases() {
    const auto phrases = readPhrases(m_file);
    for (int slot = 0; slot < kPhraseButtonCount; ++slot) m_texts[kFirstPhraseButton + slot] = phrases[slot];
}

void ClipButtons::setPersons(Persons persons) {
    m_persons = std::move(persons);
    m_selected = -1;
    // No person chosen: the buttons carry nobody's data, not the data of a person now gone.
    for (int i = 0; i < kDataButtonCount; ++i) m_texts[i].reset();
    selectPerson(0);
}

std::vector<text::Text> ClipButtons::personNames() const {
    std::vector<text::Text> names;
    names.reserve(m_persons.size());
    for (const auto& person : m_persons) names.push_back(person ? person->DisplayName : text::Text());
    return names;
}

void ClipButtons::selectPerson(int position) {
    if (position < 0 || position >= static_cast<int>(m_persons.size())) return;
    m_selected = position;
    const auto& person = m_persons[position];
    const auto texts = person ? dataButtonTexts(*person) : std::array<text::Text, kDataButtonCount>{};
    for (int i = 0; i < kDataButtonCount; ++i) m_texts[i] = texts[i];
}

text::Text ClipButtons::fullText(int index) const {
    if (index < 0 || index >= kButtonCount || !m_texts[index]) return {};
    return *m_texts[index];
}

text::Text ClipButtons::captionSource(int index) const {
    if (index < 0 || index >= kButtonCount || !m_texts[index]) return text::Text(kInitialCaption);
    return *m_texts[index];
}

std::optional<PhraseChange> ClipButtons::setPhrase(int index, text::TextView answer) {
    if (!isPhraseButton(index)) return std::nullopt;
    PhraseChange change;
    change.phrase = storablePhrase(answer);
    change.stored = writePhrase(m_file, index - kFirstPhraseButton, change.phrase);
    m_texts[index] = change.phrase;
    return change;
}

text::Text helpText() {
    text::Text help;
    for (text::TextView line : kHelpLines) {
        help += line;
        help += u"\r\n";
    }
    return help;
}

}  // namespace orvex::palette
