// The form's handlers and procedures on an engine of plain objects: no
// window and no toolkit, the same code the desktop's and the browser's
// engines run. What each click leaves in the boxes, what is spoken, what is
// reported, and how the output box is written.
#include "form/main_form.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using runtime::Text;
using runtime::TextView;

class Box final : public runtime::TextBox {
public:
    explicit Box(Text text = {}) : text_(std::move(text)) {}

    Text text() const override { return text_; }
    void setText(TextView text) override
    {
        text_ = Text(text);
        writes.push_back(text_);
    }
    void setLocked(bool locked) override { this->locked = locked; }

    std::vector<Text> writes;
    bool locked = false;

private:
    Text text_;
};

const Text taskStatement = u"Да се реализира проект ...\r\n";

class Engine final : public runtime::FormEngine {
public:
    // The boxes the form's description has, in the state it creates them.
    explicit Engine(bool withBoxes = true)
    {
        if (withBoxes) {
            boxes.emplace("Text1_0", Box(taskStatement));
            boxes.emplace("Text1_1", Box(u"Неприятното ..."));
            boxes.emplace("Text2_0", Box());
            boxes.emplace("Text2_1", Box());
        }
    }

    runtime::TextBox* textBox(std::string_view name) override
    {
        const auto found = boxes.find(std::string(name));
        return found == boxes.end() ? nullptr : &found->second;
    }
    void onClick(std::string_view name, runtime::ClickHandler handler) override
    {
        clicks[std::string(name)] = std::move(handler);
    }
    void report(const runtime::RunTimeError& error) override { reports.push_back(runtime::reportText(error)); }

    void click(std::int16_t index)
    {
        runtime::deliver(*this, [&] { clicks.at("Command1")(index); });
    }
    Box& box(const char* name) { return boxes.at(name); }

    std::map<std::string, Box> boxes;
    std::map<std::string, runtime::ClickHandler> clicks;
    std::vector<Text> spoken;
    std::vector<std::string> reports;

protected:
    void speak(TextView sentences) override { spoken.emplace_back(sentences); }
};

// A loaded form on its engine, as a start leaves it.
struct Loaded {
    Engine engine;
    MainForm form{engine};

    Loaded()
    {
        runtime::deliver(engine, [&] { form.Form_Load(); });
    }

    void type(const Text& a, const Text& b)
    {
        engine.box("Text2_0").setText(a);
        engine.box("Text2_1").setText(b);
    }
};

const Text solved6and16 = u"Дискриминанта: 100\r\nКорените на системата са:\r\nX = 8\r\nY = 2\r\n";
const std::string overflowReport = "Грешка при изпълнение '6':\n\nПрепълване";

TEST(Handlers, LoadWritesTheDefaultsAndNothingElse)
{
    Loaded loaded;
    Engine& engine = loaded.engine;
    EXPECT_EQ(engine.box("Text2_0").writes, std::vector<Text>{u"6"});
    EXPECT_EQ(engine.box("Text2_1").writes, std::vector<Text>{u"16"});
    EXPECT_FALSE(engine.box("Text2_0").locked || engine.box("Text2_1").locked);
    EXPECT_TRUE(engine.box("Text1_0").writes.empty());
    EXPECT_EQ(engine.box("Text1_0").text(), taskStatement);
    EXPECT_TRUE(engine.spoken.empty() && engine.reports.empty());
}

// What the user sees and hears after a click.
struct After {
    Text a, b, output;
    bool locked;
    std::optional<Text> spoken;
    std::optional<std::string> report;
};

struct ClickCase {
    const char* name;
    Text a, b;
    std::vector<std::int16_t> clicks;
    After after;
};

class Clicks : public testing::TestWithParam<ClickCase> {};

TEST_P(Clicks, LeaveTheFormAsTheUserSeesIt)
{
    const ClickCase& c = GetParam();
    Loaded loaded;
    loaded.type(c.a, c.b);
    for (const std::int16_t index : c.clicks)
        loaded.engine.click(index);

    Engine& engine = loaded.engine;
    EXPECT_EQ(engine.box("Text2_0").text(), c.after.a);
    EXPECT_EQ(engine.box("Text2_1").text(), c.after.b);
    EXPECT_EQ(engine.box("Text1_0").text(), c.after.output);
    EXPECT_EQ(engine.box("Text2_0").locked, c.after.locked);
    EXPECT_EQ(engine.box("Text2_1").locked, c.after.locked);
    EXPECT_EQ(engine.spoken.empty() ? std::nullopt : std::optional(engine.spoken.back()), c.after.spoken);
    EXPECT_EQ(engine.reports.empty() ? std::nullopt : std::optional(engine.reports.back()), c.after.report);
    EXPECT_LE(engine.reports.size(), 1u);
    EXPECT_TRUE(engine.box("Text1_1").writes.empty()) << "the saying is never written";
}

const Text cleared = u"Полетата са празни и отново могат да се попълват.";

INSTANTIATE_TEST_SUITE_P(Form, Clicks, testing::Values(
    ClickCase{"solve", u"6", u"16", {0},
              {u"6", u"16", solved6and16, true,
               u"Дискриминанта: 100. Корените на системата са: X = 8. Y = 2.", std::nullopt}},
    ClickCase{"solveTwice", u"6", u"16", {0, 0},
              {u"6", u"16", solved6and16, true,
               u"Дискриминанта: 100. Корените на системата са: X = 8. Y = 2.", std::nullopt}},
    ClickCase{"complex", u"1", u"-1", {0},
              {u"1", u"-1", u"Дискриминанта: -3\r\nКорените на системата са комплексни!\r\n", true,
               u"Дискриминанта: -3. Корените на системата са комплексни!", std::nullopt}},
    ClickCase{"zeroDiscriminant", u"2", u"-1", {0},
              {u"2", u"-1", u"Дискриминанта: 0\r\nКорените на системата са:\r\nX = 1\r\nY = -1\r\n", true,
               u"Дискриминанта: 0. Корените на системата са: X = 1. Y = -1.", std::nullopt}},
    ClickCase{"clear", u"6", u"16", {1},
              {u"", u"", u"", false, cleared, std::nullopt}},
    ClickCase{"solveThenClear", u"6", u"16", {0, 1},
              {u"", u"", u"", false, cleared, std::nullopt}},
    ClickCase{"clearThenSolve", u"6", u"16", {1, 0},
              {u"", u"", u"Дискриминанта: 0\r\nКорените на системата са:\r\nX = 0\r\nY = 0\r\n", true,
               u"Дискриминанта: 0. Корените на системата са: X = 0. Y = 0.", std::nullopt}},
    ClickCase{"overflow", u"1e200", u"1", {0},
              {u"1e200", u"1", taskStatement, false, std::nullopt, overflowReport}},
    ClickCase{"overflowThenClear", u"1", u"1e400", {0, 1},
              {u"", u"", u"", false, cleared, overflowReport}},
    ClickCase{"noSuchButton", u"6", u"16", {2, -1, 32767, -32768},
              {u"6", u"16", taskStatement, false, std::nullopt, std::nullopt}}),
    [](const testing::TestParamInfo<ClickCase>& info) { return info.param.name; });

// Every append reads the box back and writes it longer: the output box is
// written four times for real roots and twice for complex ones, the first
// write replacing what it held.
TEST(Handlers, SolveWritesTheOutputBoxLineByLine)
{
    for (const auto& [b, lines] : {std::pair{u"16", 4}, std::pair{u"-16", 2}}) {
        Loaded loaded;
        loaded.type(u"6", b);
        Box& output = loaded.engine.box("Text1_0");
        output.writes.clear();
        loaded.engine.click(0);
        ASSERT_EQ(output.writes.size(), static_cast<std::size_t>(lines));
        for (std::size_t i = 1; i < output.writes.size(); ++i)
            EXPECT_EQ(output.writes[i].rfind(output.writes[i - 1], 0), 0u) << "write " << i;
        EXPECT_EQ(output.writes.front().rfind(u"Дискриминанта: ", 0), 0u);
    }
}

// An engine whose form has no boxes: the code's first reach for one is a
// run-time error, reported, and the program goes on.
TEST(Handlers, AMissingControlIsReported)
{
    Engine engine(false);
    MainForm form(engine);
    runtime::deliver(engine, [&] { form.Form_Load(); });
    engine.click(0);
    engine.click(1);
    EXPECT_EQ(engine.reports, std::vector<std::string>(3, "Грешка при изпълнение '340':\n\n"
                                                          "Елементът на масива от контроли не съществува"));
    EXPECT_TRUE(engine.spoken.empty());
}

TEST(Handlers, ElementsAreNamedAsTheDescriptionNamesThem)
{
    for (const auto& [array, index, name] : {std::tuple{"Text2", 0, "Text2_0"}, std::tuple{"Command1", 1, "Command1_1"},
                                              std::tuple{"Label1", 12, "Label1_12"}, std::tuple{"A", 305, "A_305"}})
        EXPECT_EQ(runtime::elementName(array, index), name);
}

struct SentencesCase {
    Text text, spoken;
};

class Sentences : public testing::TestWithParam<SentencesCase> {};

TEST_P(Sentences, OneALine)
{
    EXPECT_EQ(runtime::sentences(GetParam().text), GetParam().spoken);
}

INSTANTIATE_TEST_SUITE_P(Announcements, Sentences, testing::Values(
    SentencesCase{u"", u""},
    SentencesCase{u"\r\n\r\n", u""},
    SentencesCase{u"a\r\nb", u"a. b."},
    SentencesCase{u"  a \t\r\n\r\nb:\r\n", u"a. b:"},
    SentencesCase{u"Внимание!\r\nНали?\r\nКрай.", u"Внимание! Нали? Край."},
    SentencesCase{u"a\u00A0\r\n\u3000\r\nb", u"a.  b."},
    SentencesCase{u"a\rb\nc", u"a\rb\nc."}));

} // namespace
