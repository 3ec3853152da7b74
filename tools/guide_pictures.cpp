// The pictures of the guide to how the flames move, drawn as SVG by the model
// the program draws with, labelled in English and Russian for both guides.
// Usage: guide_pictures DIR   (make pictures: docs/how-it-moves)
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/flame_band.h"
#include "flame/flame_state.h"

namespace {

using Pictures = std::map<std::string, std::string>;  // file name: SVG text

// Coordinates with two decimals: plenty at any size, the same on every machine.
std::string num(double value, int decimals = 2) {
  std::string written(32, '\0');
  written.resize(static_cast<std::size_t>(
      std::snprintf(written.data(), written.size(), "%.*f", decimals, value)));
  if (written[0] == '-' && written.find_first_not_of("-0.") == std::string::npos)
    written.erase(0, 1);
  return written;
}

// The shortest text that reads back as the same double.
std::string exact(double value) {
  char digits[32];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string svgStart(int width, int height, const std::string& title) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
         "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) +
         " " + std::to_string(height) + "\" font-family=\"sans-serif\" font-size=\"12\">\n<title>" +
         title + "</title>\n<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
}

std::string text(double x, double y, const std::string& words, const std::string& extra = "") {
  return "<text x=\"" + num(x) + "\" y=\"" + num(y) + "\"" + extra + ">" + words + "</text>\n";
}

std::string line(double x1, double y1, double x2, double y2, const std::string& style) {
  return "<line x1=\"" + num(x1) + "\" y1=\"" + num(y1) + "\" x2=\"" + num(x2) + "\" y2=\"" +
         num(y2) + "\" " + style + "/>\n";
}

std::string circle(double x, double y, double radius, const std::string& style) {
  return "<circle r=\"" + num(radius, 0) + "\" cx=\"" + num(x) + "\" cy=\"" + num(y) + "\" " +
         style + "/>\n";
}

std::vector<FlameState> cycleStates() {
  std::vector<FlameState> states{FlameState{}};
  for (int step = 0; step < kStepsPerCycle; ++step) {
    states.push_back(states.back());
    stepFlame(states.back());
  }
  return states;
}

// The level over one whole cycle, where it turns marked.
std::string levelCycle() {
  const double left = 60, bottom = 230, perStep = 5, perLevel = 8;
  const std::vector<FlameState> states = cycleStates();
  std::string svg = svgStart(780, 280, "The flame level over one cycle · Уровень пламени за цикл");
  for (const double crest : {15.0, 20.0, 25.0}) {
    svg += line(left, bottom - crest * perLevel, left + kStepsPerCycle * perStep,
                bottom - crest * perLevel, "stroke=\"#999\" stroke-dasharray=\"4 3\"");
    svg += text(left + kStepsPerCycle * perStep + 4, bottom - crest * perLevel + 4,
                "crest · гребень " + exact(crest));
  }
  std::string points, marks;
  for (std::size_t step = 0; step < states.size(); ++step) {
    const double x = left + static_cast<double>(step) * perStep;
    const double y = bottom - states[step].level * perLevel;
    points += num(x) + "," + num(y) + " ";
    const bool turned = states[step].level == states[step].crest - 1.0;
    if (turned || (step > 0 && states[step - 1].level == states[step - 1].crest - 1.0 &&
                   states[step].level == states[step - 1].level))
      marks += circle(x, y, 3, "fill=\"#fc0\" stroke=\"#c00\"");
    if (states[step].level == 0.0)
      svg += text(x, bottom + 16, std::to_string(step), " text-anchor=\"middle\"");
  }
  svg += "<polyline fill=\"none\" stroke=\"#c00\" stroke-width=\"2\" points=\"" + points +
         "\"/>\n" + marks;
  svg += line(left, bottom, left + kStepsPerCycle * perStep, bottom, "stroke=\"#000\"");
  svg += line(left, bottom, left, bottom - 25 * perLevel, "stroke=\"#000\"");
  for (int level = 0; level <= 25; level += 5)
    svg += text(left - 22, bottom - level * perLevel + 4, std::to_string(level));
  svg += text(left + 300, bottom + 36, "step · шаг", " text-anchor=\"middle\"");
  svg += text(14, 20, "level · уровень");
  return svg + "</svg>\n";
}

// One strip as OpenGL shades it: only green varies, linearly over each of its
// two triangles, so a red-to-yellow SVG gradient along that slope matches.
struct Corner {
  double x, y, green;
};

std::string shadedTriangle(const Corner& a, const Corner& b, const Corner& c, int id) {
  const double det = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  std::string points =
      num(a.x) + "," + num(a.y) + " " + num(b.x) + "," + num(b.y) + " " + num(c.x) + "," + num(c.y);
  if (det == 0.0) return "";
  const double gx = ((b.green - a.green) * (c.y - a.y) - (c.green - a.green) * (b.y - a.y)) / det;
  const double gy = ((c.green - a.green) * (b.x - a.x) - (b.green - a.green) * (c.x - a.x)) / det;
  const double slope = gx * gx + gy * gy;
  if (slope == 0.0)
    return "<polygon points=\"" + points + "\" fill=\"rgb(255," + num(a.green * 255) + ",0)\"/>\n";
  // From where green would be 0 to where it would be 1, through corner a.
  const double dx = gx / slope, dy = gy / slope;
  const std::string name = "g" + std::to_string(id);
  return "<linearGradient id=\"" + name + "\" href=\"#red-yellow\" x1=\"" +
         num(a.x - a.green * dx) + "\" y1=\"" + num(a.y - a.green * dy) + "\" x2=\"" +
         num(a.x + (1 - a.green) * dx) + "\" y2=\"" + num(a.y + (1 - a.green) * dy) +
         "\"/>\n<polygon points=\"" + points + "\" fill=\"url(#" + name + ")\"/>\n";
}

// The first frame as the 500 x 500 window shows it, strips painted left to right.
std::string firstFrame() {
  std::string svg = svgStart(500, 500, "The first frame · Первый кадр");
  svg +=
      "<rect width=\"500\" height=\"500\" fill=\"#000\"/>\n<linearGradient id=\"red-yellow\" "
      "gradientUnits=\"userSpaceOnUse\"><stop stop-color=\"#f00\"/><stop offset=\"1\" "
      "stop-color=\"#ff0\"/>"
      "</linearGradient>\n";
  FlameState state;
  int id = 0;
  forEachStrip(state, [&](const Strip& strip) {
    auto corner = [](StripCorner c, double green) {
      return Corner{c.x * 5.0, 500.0 - c.y * 5.0, green};
    };
    const Corner bottomLeft = corner(strip.bottomLeft, 0.5), topLeft = corner(strip.topLeft, 0.0),
                 topRight = corner(strip.topRight, 0.0),
                 bottomRight = corner(strip.bottomRight, 1.0);
    svg += shadedTriangle(bottomLeft, topLeft, topRight, id++);
    svg += shadedTriangle(bottomLeft, topRight, bottomRight, id++);
  });
  return svg + "</svg>\n";
}

// The first two strips close up and drawn apart, their corners as OpenGL
// receives them: each number rounded to float once.
std::string stripCorners() {
  const double perX = 140, perY = 8, bottom = 300;
  std::string svg = svgStart(1120, 330, "The corners of the first strips · Углы первых полосок");
  FlameState state;
  int index = 0;
  forEachStrip(state, [&](const Strip& strip) {
    if (index > 1) return;
    const double left = index == 0 ? 180 : 640 - 0.8 * perX;
    const std::vector<std::pair<StripCorner, std::string>> corners{{strip.bottomLeft, "#ff8000"},
                                                                   {strip.topLeft, "#f00"},
                                                                   {strip.topRight, "#f00"},
                                                                   {strip.bottomRight, "#ff0"}};
    auto at = [&](StripCorner c) {
      return std::pair{left + c.x * perX, bottom - (c.y - 5.0) * perY};
    };
    svg += "<polygon fill=\"#fc9\" stroke=\"#000\" points=\"";
    for (const auto& [c, colour] : corners) svg += num(at(c).first) + "," + num(at(c).second) + " ";
    svg += "\"/>\n";
    int number = 1;
    for (const auto& [c, colour] : corners) {
      const auto [x, y] = at(c);
      const bool right = number > 2;
      svg += circle(x, y, 5, "stroke=\"#000\" fill=\"" + colour + "\"");
      svg += text(x + (right ? 9 : -9), y + 4,
                  std::to_string(number++) + ": (" + exact(c.x) + ", " + exact(c.y) + ")",
                  right ? "" : " text-anchor=\"end\"");
    }
    svg +=
        text(left + (index * 0.8 + 0.5) * perX, bottom + 22,
             "strip · полоска " + std::to_string(index) + ", level · уровень " + exact(state.level),
             " text-anchor=\"middle\"");
    ++index;
  });
  return svg + "</svg>\n";
}

// The tick frames of one cycle, one above the other, as their strips' top left
// corners; dots mark the tallest tongue's top (crest 25, turned at 24).
std::string drift() {
  const double rowHeight = 56, top = 30, left = 70, perUnit = 4.5, perLift = 0.45;
  std::string svg = svgStart(540, static_cast<int>(top + rowHeight * kFramesPerCycle + 10),
                             "The tongues drift left · Языки смещаются влево");
  svg +=
      "<linearGradient id=\"band\" x1=\"0\" y1=\"1\" x2=\"0\" y2=\"0\"><stop "
      "stop-color=\"#ffbf00\"/>"
      "<stop offset=\"1\" stop-color=\"#f00\"/></linearGradient>\n";
  FlameState state;
  forEachStrip(state, [](const Strip&) {});  // the paint before the first tick
  for (int tick = 1; tick <= kFramesPerCycle; ++tick) {
    computeFlicker(state);
    const double base = top + rowHeight * tick;
    std::string outline = num(left) + "," + num(base);
    std::string marks;
    double previous = -1;
    forEachStrip(state, [&](const Strip& strip) {
      const double x = left + strip.topLeft.x * perUnit;
      const double y = base - (strip.topLeft.y - 5.0f) * perLift;
      outline += " " + num(x) + "," + num(y);
      if (state.level == 24.0 && previous != 24.0)
        marks += circle(x, y, 3, "fill=\"#fff\" stroke=\"#000\"");
      previous = state.level;
    });
    outline += " " + num(left + 101 * perUnit) + "," + num(base);
    svg += "<polygon fill=\"url(#band)\" points=\"" + outline + "\"/>\n";
    svg += marks;
    svg += text(8, base - 6, "tick · такт " + std::to_string(tick));
  }
  svg += text(left, 18, "x = 0");
  svg += text(left + 100 * perUnit, 18, "x = 100", " text-anchor=\"end\"");
  return svg + "</svg>\n";
}

// How far above each whole level the rising flicker lands: the first running
// sum of 0.2 above it, which rounding sometimes stops a fifth early.
std::string flicker() {
  const double left = 60, bottom = 200, perLevel = 22, perLift = 700;
  std::string svg = svgStart(640, 300, "The lift of the top edge · Подъём верхнего края");
  for (int whole = 0; whole <= 24; ++whole) {
    FlameState state;
    state.level = whole;
    computeFlicker(state);
    const double lift = state.flicker - state.level;
    const double x = left + whole * perLevel;
    svg += "<rect x=\"" + num(x) + "\" y=\"" + num(bottom - lift * perLift) +
           "\" width=\"14\" height=\"" + num(lift * perLift) + "\" fill=\"" +
           (lift < 0.1 ? "#c00" : "#fa0") + "\"/>\n";
    svg += text(x + 7, bottom + 16, std::to_string(whole), " text-anchor=\"middle\"");
    if (lift < 0.1) {
      svg += text(x + 11, bottom - 8, exact(state.flicker),
                  " transform=\"rotate(-90 " + num(x + 11) + " " + num(bottom - 8) + ")\"");
    }
  }
  svg += line(left - 4, bottom - 0.2 * perLift, left + 25 * perLevel, bottom - 0.2 * perLift,
              "stroke=\"#999\" stroke-dasharray=\"4 3\"");
  svg += text(left - 8, bottom - 0.2 * perLift + 4, "0.2", " text-anchor=\"end\"");
  svg += text(left - 8, bottom + 4, "0", " text-anchor=\"end\"");
  svg += text(left + 275, bottom + 36, "level while rising · уровень при росте",
              " text-anchor=\"middle\"");
  svg += text(10, 20, "lift − level · подъём − уровень (falling · при спаде: lift = 0)");
  return svg + "</svg>\n";
}

// The timer's ticks after the first paint, each with the lift it gives the band.
std::string timer() {
  const int ticks = kFramesPerCycle + 1;
  const double left = 30, axis = 90, perMs = 0.2;
  std::string svg = svgStart(700, 170, "The timer · Таймер");
  svg += line(left, axis, left + (kFirstTickMs + ticks * kTickMs) * perMs, axis, "stroke=\"#000\"");
  svg += line(left, axis - 30, left, axis + 6, "stroke=\"#06c\" stroke-width=\"3\"");
  svg += text(left, axis - 36, "window, paint · окно, перерисовка");
  FlameState state;
  forEachStrip(state, [](const Strip&) {});
  for (int tick = 1; tick <= ticks; ++tick) {
    computeFlicker(state);
    const double x = left + (kFirstTickMs + (tick - 1) * kTickMs) * perMs;
    svg += line(x, axis - 16, x, axis + 6, "stroke=\"#c00\" stroke-width=\"2\"");
    svg += text(x, axis + 20, std::to_string(tick), " text-anchor=\"middle\"");
    svg += text(
        x + 4, axis - 20, num(state.flicker, 1),
        " font-size=\"9\" transform=\"rotate(-60 " + num(x + 4) + " " + num(axis - 20) + ")\"");
    forEachStrip(state, [](const Strip&) {});
  }
  svg += text(left, axis + 44,
              "ticks · такты: " + std::to_string(kFirstTickMs) + " ms, then every · затем каждые " +
                  std::to_string(kTickMs) + " ms");
  svg += text(left, axis + 62,
              "above each tick: the lift it gives the frame · над тактом: подъём кадра");
  svg += text(left, axis + 20, "0 ms");
  return svg + "</svg>\n";
}

Pictures draw() {
  return {{"level-cycle.svg", levelCycle()},
          {"first-frame.svg", firstFrame()},
          {"strip-corners.svg", stripCorners()},
          {"drift.svg", drift()},
          {"flicker.svg", flicker()},
          {"timer.svg", timer()}};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: guide_pictures DIR\n");
    return 2;
  }
  for (const auto& [name, svg] : draw()) {
    const std::string path = std::string(argv[1]) + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written =
        file != nullptr && std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
      std::fprintf(stderr, "guide_pictures: cannot write %s: %s\n", path.c_str(),
                   std::strerror(errno));
      return 1;
    }
    std::printf("%s: %zu bytes\n", path.c_str(), svg.size());
  }
  return 0;
}
