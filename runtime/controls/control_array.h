#pragma once

#include "runtime/controls/form_engine.h"
#include "runtime/values/run_time_error.h"

#include <string_view>
#include <vector>

namespace runtime {

// Text boxes told apart by a small index, as the form's code names them:
// Text2(0) is the box the form's description names "Text2_0".
class ControlArray {
public:
    // Every box of the array the engine shows, "<name>_0", "<name>_1", ...,
    // up to the first index it has none of.
    ControlArray(FormEngine& engine, std::string_view name)
    {
        for (int index = 0;; ++index) {
            TextBox* box = engine.textBox(elementName(name, index));
            if (!box)
                break;
            elements_.push_back(box);
        }
    }

    // Raises ErrorNumber::NoSuchControlArrayElement for an index with no element.
    TextBox& operator()(int index) const
    {
        if (index < 0 || index >= count())
            raise(ErrorNumber::NoSuchControlArrayElement);
        return *elements_[static_cast<std::size_t>(index)];
    }

    int count() const { return static_cast<int>(elements_.size()); }

private:
    std::vector<TextBox*> elements_;
};

} // namespace runtime
