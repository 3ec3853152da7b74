// Writes the guide's pictures, each figure at its default in each language:
// DIR/en/NAME.svg and DIR/ru/NAME.svg (make pictures: docs/how-it-moves).
// With a figure's name, a language and a setting, prints that one drawing:
// what the site's guide page must show for it.
// Usage: guide_pictures DIR | guide_pictures NAME en|ru SETTING
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>

#include "guide/guide_figures.h"

namespace {

bool write(const std::string& path, const std::string& svg) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written =
      file != nullptr && std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
  if (file != nullptr && std::fclose(file) == 0 && written) return true;
  std::fprintf(stderr, "guide_pictures: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4) {
    const Figure* figure = findFigure(argv[1]);
    const std::string language = argv[2];
    char* end = nullptr;
    const long setting = std::strtol(argv[3], &end, 10);
    if (figure == nullptr || (language != "en" && language != "ru") || *end != '\0' ||
        setting < figure->first || setting > figure->last) {
      std::fprintf(stderr, "guide_pictures: no figure %s in %s at %s\n", argv[1], argv[2], argv[3]);
      return 2;
    }
    const std::string svg =
        drawFigure(*figure, language == "en" ? Language::English : Language::Russian,
                   static_cast<int>(setting));
    return std::fwrite(svg.data(), 1, svg.size(), stdout) == svg.size() ? 0 : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: guide_pictures DIR | guide_pictures NAME en|ru SETTING\n");
    return 2;
  }
  for (const auto& [folder, language] :
       {std::pair{"en", Language::English}, {"ru", Language::Russian}}) {
    const std::string dir = std::string(argv[1]) + "/" + folder;
    std::error_code failed;
    std::filesystem::create_directories(dir, failed);
    for (const Figure* figure = figuresBegin(); figure != figuresEnd(); ++figure) {
      const std::string svg = drawFigure(*figure, language, figure->byDefault);
      if (!write(dir + "/" + figure->name + ".svg", svg)) return 1;
      std::printf("%s/%s.svg: %zu bytes\n", dir.c_str(), figure->name, svg.size());
    }
  }
  return 0;
}
