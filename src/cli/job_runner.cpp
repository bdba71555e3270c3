#include "cli/job_runner.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

#include "app/script_host.h"
#include "app/session.h"
#include "common/number_text.h"
#include "reports/install.h"
#include "reports/outputs.h"
#include "tools/plate_analyse.h"

using nlohmann::json;

namespace vx {

json FloatJson(float value) {
  // The double parsed from the float's shortest text prints as that text.
  return std::strtod(ShortestText(value).c_str(), nullptr);
}

static json describeControl(const Control& c) {
  json j;
  j["kind"] = kindName(c.kind);
  j["text"] = c.text;
  if (!c.toolTip.empty()) j["toolTip"] = c.toolTip;
  if (c.kind == ControlKind::ComboBox || c.kind == ControlKind::ListBox || c.kind == ControlKind::Tab) {
    j["index"] = c.listIndex;
    j["items"] = c.items;
  }
  if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::Option || c.kind == ControlKind::Menu) {
    j["checked"] = c.checked;
  }
  j["enabled"] = c.enabled;
  j["visible"] = c.visible;
  if (c.foreColor != kDefaultColor) j["foreColor"] = c.foreColor;
  if (c.backColor != kDefaultColor) j["backColor"] = c.backColor;
  if (c.kind == ControlKind::Grid) {
    json rows = json::array();
    for (int r = 0; r < c.grid.rows; ++r) {
      json row = json::array();
      for (int col = 0; col < c.grid.cols; ++col) row.push_back(c.grid.cell(r, col));
      rows.push_back(std::move(row));
    }
    j["cells"] = std::move(rows);
    json colors = json::object();
    for (int r = 0; r < c.grid.rows; ++r)
      for (int col = 0; col < c.grid.cols; ++col) {
        uint32_t color = c.grid.backColors[static_cast<size_t>(r * c.grid.cols + col)];
        if (color != kDefaultColor) colors[std::to_string(r) + "," + std::to_string(col)] = color;
      }
    if (!colors.empty()) j["cellColors"] = std::move(colors);
  }
  if (c.kind == ControlKind::Picture) {
    const PictureState& p = c.picture;
    json lines = json::array();
    for (const auto& l : p.lines)
      lines.push_back({{"from", {l.x1, l.y1}}, {"to", {l.x2, l.y2}}, {"width", l.width}, {"color", l.color}});
    j["scale"] = {{"left", p.left}, {"top", p.top}, {"width", p.width}, {"height", p.height}};
    j["lines"] = std::move(lines);
  }
  return j;
}

static json describeCase(const VeloxaVar& v) {
  json j;
  j["TinA"] = FloatJson(v.TinA);
  j["ToutA"] = FloatJson(v.ToutA);
  j["TinB"] = FloatJson(v.TinB);
  j["ToutB"] = FloatJson(v.ToutB);
  j["FlowA"] = FloatJson(v.FlowA);
  j["FlowB"] = FloatJson(v.FlowB);
  j["AllowDpA"] = FloatJson(v.AllowDpA);
  j["AllowDpB"] = FloatJson(v.AllowDpB);
  j["HeatLoad"] = FloatJson(v.HeatLoad);
  j["FoulingA"] = FloatJson(v.FoulingA);
  j["FoulingB"] = FloatJson(v.FoulingB);
  j["Lmtd"] = FloatJson(v.Lmtd);
  j["TestPressureFactor"] = FloatJson(v.TestPressureFactor);
  j["ParallelUnits"] = FloatJson(v.ParallelUnits);
  j["UnitFlowA"] = FloatJson(v.UnitFlowA);
  j["UnitFlowB"] = FloatJson(v.UnitFlowB);
  json prop = json::array();
  for (int k = 0; k < 3; ++k) {
    json row = json::array();
    for (int c = 0; c < kPropColumns; ++c) row.push_back(FloatJson(v.MediumProp(c, k)));
    prop.push_back(std::move(row));
  }
  j["MediumProp"] = std::move(prop);
  j["AdoptedName"] = v.AdoptedName;
  j["AdoptedDensity"] = FloatJson(v.AdoptedDensity);
  j["AdoptedCp"] = FloatJson(v.AdoptedCp);
  j["AdoptedConductivity"] = FloatJson(v.AdoptedConductivity);
  j["AdoptedViscosity"] = FloatJson(v.AdoptedViscosity);
  j["AdoptedLatent"] = FloatJson(v.AdoptedLatent);
  j["AdoptedVapourDensity"] = FloatJson(v.AdoptedVapourDensity);
  j["MediumStateB"] = v.MediumStateB;
  j["BalanceDone"] = v.BalanceDone;
  j["ConditionsChanged"] = v.ConditionsChanged;
  j["ResultAvailable"] = v.ResultAvailable;
  j["CaseSaved"] = v.CaseSaved;
  j["DesignWindowOpened"] = v.DesignWindowOpened;
  return j;
}

static json describeMain(MainWindow& m) {
  json j;
  j["caption"] = m.caption;
  json menu = json::object();
  for (const auto& entry : m.menus()) {
    menu[entry.title->label()] = {{"caption", entry.title->text}, {"enabled", entry.title->enabled}};
    for (const Control* item : entry.items) {
      if (!item) continue;
      json state = {{"caption", item->text}, {"enabled", item->enabled}, {"checked", item->checked}};
      if (!item->shortcut.empty()) state["shortcut"] = item->shortcut;
      menu[item->label()] = std::move(state);
    }
  }
  j["menu"] = std::move(menu);
  json toolbar = json::array();
  int position = 1;
  for (const Control* key : m.toolbar()) {
    if (key) {
      toolbar.push_back({{"position", position}, {"key", key->name}, {"toolTip", key->toolTip},
                         {"enabled", key->enabled}});
    } else {
      toolbar.push_back({{"position", position}, {"separator", true}});
    }
    ++position;
  }
  j["toolbar"] = std::move(toolbar);
  return j;
}

static json describePage(const RecordedPage& page) {
  json texts = json::array();
  for (const PageText& t : page.texts)
    texts.push_back({{"x", t.x}, {"y", t.y}, {"font", t.font}, {"size", FloatJson(t.size)}, {"bold", t.bold},
                     {"text", t.text}});
  json boxes = json::array();
  for (const PageBox& b : page.boxes) boxes.push_back({b.left, b.top, b.right, b.bottom});
  return {{"texts", std::move(texts)}, {"boxes", std::move(boxes)}};
}

// The plate analysis chart: its axis, each curve with its points in chart
// coordinates, and the legend.
static json describeChart(const PlateChart& chart) {
  json curves = json::array();
  for (const auto& c : chart.curves) {
    json points = json::array();
    for (const auto& p : c.points) points.push_back({p.x, p.y});
    curves.push_back({{"kind", c.kind}, {"color", c.color}, {"dashed", c.dashed()}, {"points", points}});
  }
  json legend = json::array();
  for (const auto& l : chart.legend) legend.push_back({{"text", l.text}, {"color", l.color}});
  json j = {{"axis", chart.reynolds ? "reynolds" : "velocity"}, {"xMax", chart.xMax()}, {"yMax", kChartYMax},
            {"curves", curves}, {"legend", legend}};
  if (chart.crossHair) j["crossHair"] = {chart.pointer.x, chart.pointer.y};
  return j;
}

json DescribeSession(Session& session, const ScriptHost& host) {
  json out;
  json messages = json::array();
  for (const auto& m : host.messages()) {
    json jm = {{"text", m.text}, {"icon", iconName(m.icon)}, {"buttons", buttonsName(m.buttons)}, {"answer", m.answer}};
    if (m.id) jm["id"] = m.id;
    messages.push_back(std::move(jm));
  }
  out["messages"] = std::move(messages);
  out["events"] = host.events();
  json windows = json::object();
  for (WindowModel* w : session.windows()) {
    json controls = json::object();
    for (const auto& c : w->controls().all()) controls[c.label()] = describeControl(c);
    windows[w->name()] = {
        {"caption", w->caption}, {"visible", w->visible}, {"focus", w->focus}, {"controls", std::move(controls)}};
    if (auto* preview = dynamic_cast<Preview*>(w)) windows[w->name()]["page"] = describePage(preview->page());
    if (auto* plates = dynamic_cast<PlateAnalyse*>(w)) windows[w->name()]["chart"] = describeChart(plates->chart());
  }
  // The page of the last print or PDF export.
  if (!host.pages().empty()) out["page"] = describePage(host.pages().back());
  out["windows"] = std::move(windows);
  out["case"] = describeCase(session.var());
  out["main"] = describeMain(session.main());
  out["ended"] = session.ended();
  return out;
}

namespace {

struct StepError {
  std::string what;
};

int keyCode(const std::string& key) {
  if (key == "\b" || key == "BackSpace" || key == "Backspace") return 8;
  if (key.empty()) throw StepError{"an empty key"};
  // The first UTF-8 code point.
  unsigned char c0 = static_cast<unsigned char>(key[0]);
  if (c0 < 0x80) return c0;
  int len = c0 >= 0xF0 ? 4 : c0 >= 0xE0 ? 3 : 2;
  int cp = c0 & (0x3F >> (len - 1));
  for (int i = 1; i < len && i < static_cast<int>(key.size()); ++i) cp = (cp << 6) | (key[static_cast<size_t>(i)] & 0x3F);
  return cp;
}

// A whole number of the job that fits an int; anything else is malformed
// (1e20 or 2^40 must not wrap round to some other control or entry).
int wholeNumber(const json& value, const char* what) {
  if (value.is_number_integer()) {
    if (value.is_number_unsigned()) {
      if (value.get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return static_cast<int>(value.get<std::uint64_t>());
    } else {
      const std::int64_t n = value.get<std::int64_t>();
      if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max()) return static_cast<int>(n);
    }
  }
  throw StepError{std::string(what) + " must be a whole number"};
}

// An action named with false is no action: the job is malformed.
void requireTrue(const json& value, const char* what) {
  if (!value.is_boolean() || !value.get<bool>()) throw StepError{std::string(what) + " must be true"};
}

// Runs one step; returns a note when the control ignored the action.
std::string runStep(Session& session, const json& step) {
  if (!step.is_object()) throw StepError{"a step must be an object"};
  if (!step.contains("window") || !step["window"].is_string()) throw StepError{"no window named"};
  if (step.contains("close") && !step.contains("control")) {
    // The window's title bar: close it (the main window's exit sequence).
    std::string name = step["window"];
    if (!session.knowsWindow(name)) throw StepError{"unknown window " + name};
    if (name == session.main().name()) {
      session.requestExit();
      return "";
    }
    if (!session.existing(name)) return name + " is not open; nothing happened";
    session.closeWindow(name);
    return "";
  }
  if (!step.contains("control") || !step["control"].is_string()) throw StepError{"no control named"};
  std::string windowName = step["window"];
  std::string controlName = step["control"];
  if (!session.knowsWindow(windowName)) throw StepError{"unknown window " + windowName};
  // The model editor and the password change lie behind the password window.
  if ((windowName == "newproduct" || windowName == "chpassword") && !session.existing(windowName))
    throw StepError{"window " + windowName + " opens only through the password window PWData (数据管理)"};
  WindowModel* window = session.window(windowName);
  if (!window) throw StepError{"window " + windowName + " cannot be created"};
  // Working in a window makes it the active one; the main window's menus
  // leave the active child as it is.
  if (windowName != session.main().name()) session.activated(windowName);
  int index = -1;
  if (step.contains("index")) index = wholeNumber(step["index"], "index");
  Control* control = window->controls().find(controlName, index);
  if (!control) {
    throw StepError{"unknown control " + controlName + (index >= 0 ? "(" + std::to_string(index) + ")" : "") +
                    " in window " + windowName};
  }
  ControlSet& set = window->controls();
  bool done = false;
  if (step.contains("cell")) {
    const json& cell = step["cell"];
    if (!cell.is_array() || cell.size() != 2) throw StepError{"a cell step needs \"cell\": [row, col]"};
    const int row = wholeNumber(cell[0], "a cell's row"), col = wholeNumber(cell[1], "a cell's column");
    if (control->kind != ControlKind::Grid) throw StepError{control->label() + " is not a grid"};
    if (!control->grid.inside(row, col)) throw StepError{"cell outside the grid"};
    if (step.contains("text") && step["text"].is_string()) {
      done = SetCell(*control, row, col, step["text"].get<std::string>());
    } else if (step.contains("key") && step["key"].is_string()) {
      // Click the cell, then type the key into it.
      done = ClickCell(*control, row, col) && TypeKey(*control, keyCode(step["key"].get<std::string>()));
    } else if (step.contains("click")) {
      requireTrue(step["click"], "click");
      done = ClickCell(*control, row, col);
    } else {
      throw StepError{"a cell step needs a \"text\", a \"key\" or a \"click\""};
    }
  } else if (step.contains("text")) {
    if (!step["text"].is_string()) throw StepError{"text must be a string"};
    done = SetText(*control, step["text"].get<std::string>());
  } else if (step.contains("key")) {
    if (!step["key"].is_string()) throw StepError{"key must be a string"};
    done = TypeKey(*control, keyCode(step["key"].get<std::string>()));
  } else if (step.contains("checked")) {
    if (!step["checked"].is_boolean()) throw StepError{"checked must be true or false"};
    done = SetChecked(set, *control, step["checked"].get<bool>());
  } else if (step.contains("pick")) {
    const int entry = wholeNumber(step["pick"], "pick");
    if (entry < 0 || entry >= static_cast<int>(control->items.size()))
      throw StepError{"pick " + std::to_string(entry) + " is not an entry of " + control->label()};
    done = Pick(*control, entry);
  } else if (step.contains("select") || step.contains("click")) {
    requireTrue(step.contains("select") ? step["select"] : step["click"], step.contains("select") ? "select" : "click");
    done = Click(set, *control);
  } else if (step.contains("mouse")) {
    // The pointer moves over a picture box to [x, y] in its user coordinates.
    const json& at = step["mouse"];
    if (!at.is_array() || at.size() != 2 || !at[0].is_number() || !at[1].is_number())
      throw StepError{"mouse needs [x, y]"};
    if (control->kind != ControlKind::Picture) throw StepError{control->label() + " is not a picture box"};
    done = control->enabled && control->visible;
    if (done && control->mouseMoved) control->mouseMoved(at[0].get<double>(), at[1].get<double>());
  } else if (step.contains("leave")) {
    requireTrue(step["leave"], "leave");
    // The focus leaves the control (Tab or a click elsewhere).
    if (control->left) control->left();
    done = true;
  } else {
    throw StepError{"no action (text, key, checked, pick, select, click, leave, mouse or cell)"};
  }
  return done ? "" : control->label() + " is disabled or hidden; nothing happened";
}

}  // namespace

JobResult RunJob(const json& job, const std::filesystem::path& dataDir, const ScriptHost::PdfWriter& pdfWriter) {
  JobResult result;
  if (!job.is_object()) {
    result.status = 1;
    result.error = "the job must be a JSON object with \"steps\" and \"answers\"";
    return result;
  }
  std::vector<std::string> answers;
  if (job.contains("answers")) {
    if (!job["answers"].is_array()) {
      result.status = 1;
      result.error = "\"answers\" must be an array of texts";
      return result;
    }
    for (const auto& a : job["answers"]) {
      if (!a.is_string()) {
        result.status = 1;
        result.error = "\"answers\" must be an array of texts";
        return result;
      }
      answers.push_back(a);
    }
  }
  // The type is checked before anything is copied.
  static const json kNoSteps = json::array();
  const json& steps = job.contains("steps") ? job["steps"] : kNoSteps;
  if (!steps.is_array()) {
    result.status = 1;
    result.error = "\"steps\" must be an array";
    return result;
  }

  ScriptHost host(answers);
  host.setPdfWriter(pdfWriter);
  // A file named in the answers without a folder lives in the data folder.
  host.setDialogFolder(dataDir);
  Session session(host, dataDir);
  InstallReports(session);
  json notes = json::array();
  session.start();
  for (size_t i = 0; i < steps.size() && !session.ended(); ++i) {
    try {
      std::string note = runStep(session, steps[i]);
      if (!note.empty()) notes.push_back("step " + std::to_string(i + 1) + ": " + note);
    } catch (const StepError& e) {
      result.status = 1;
      result.error = "step " + std::to_string(i + 1) + ": " + e.what;
      return result;
    }
  }
  result.output = DescribeSession(session, host);
  result.output["notes"] = notes;
  result.status = session.ended() ? 2 : 0;
  return result;
}

json ParseJob(const std::string& text, std::string& error) {
  // The nesting is measured on the text first: parsing, copying and freeing
  // a document recurse once per level.
  int depth = 0;
  bool inString = false, escaped = false;
  for (char c : text) {
    if (inString) {
      if (escaped) escaped = false;
      else if (c == '\\') escaped = true;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '[' || c == '{') {
      if (++depth > kMaxJobDepth) {
        error = "the job is nested deeper than " + std::to_string(kMaxJobDepth) + " levels";
        return json(json::value_t::discarded);
      }
    } else if (c == ']' || c == '}') {
      --depth;
    }
  }
  // One document and nothing after it but blanks.
  json job = json::parse(text, nullptr, false);
  if (job.is_discarded()) error = "not valid JSON (or text after the job)";
  return job;
}

}  // namespace vx
