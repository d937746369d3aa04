#pragma once

#include <string>
#include <string_view>

namespace runtime {

// The text of a control as the form's code knows it: UTF-16 code units.
using Text = std::u16string;
using TextView = std::u16string_view;

// The text of a number, as writeNumber() writes it.
Text numberText(double value);

// "Дискриминанта: 100\r\nКорените на системата са:\r\n" as a voice should
// read it: "Дискриминанта: 100. Корените на системата са:", one sentence a
// line, so that it pauses between them.
Text sentences(TextView text);

} // namespace runtime
