# What every target of ours compiles with (flames_options): warnings, exact
# rounding, the sanitizers or Debian's hardening, and no build path in objects.
add_library(flames_options INTERFACE)
target_compile_options(flames_options INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic>
                       $<$<AND:$<COMPILE_LANGUAGE:CXX>,$<BOOL:${FLAMES_WERROR}>>:-Werror>
                       -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                       -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
# The picture depends on every rounding, so every double operation must round
# to double. 32-bit x86 computes in x87 registers of 80 bits unless told to use
# SSE2; fused multiply-adds would skip a rounding on other targets.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("#include <cfloat>
  static_assert(FLT_EVAL_METHOD == 0, \"excess precision\");
  int main() {}" FLAMES_DOUBLE_IS_DOUBLE)
if(NOT FLAMES_DOUBLE_IS_DOUBLE)
  target_compile_options(flames_options INTERFACE -msse2 -mfpmath=sse)
endif()
target_compile_options(flames_options INTERFACE -ffp-contract=off)

if(FLAMES_SANITIZE)
  target_compile_options(flames_options INTERFACE -fsanitize=address,undefined
                         -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(flames_options INTERFACE -fsanitize=address,undefined)
elseif(FLAMES_HARDEN AND NOT EMSCRIPTEN AND NOT WIN32)
  # What dpkg-buildflags gives Debian packages (fortifying needs the optimiser).
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  include(CheckCXXCompilerFlag)
  check_cxx_compiler_flag(-fstack-clash-protection FLAMES_HAVE_STACK_CLASH_PROTECTION)
  check_cxx_compiler_flag(-fcf-protection FLAMES_HAVE_CF_PROTECTION)
  target_compile_options(flames_options INTERFACE -fstack-protector-strong
                         $<$<BOOL:${FLAMES_HAVE_STACK_CLASH_PROTECTION}>:-fstack-clash-protection>
                         $<$<BOOL:${FLAMES_HAVE_CF_PROTECTION}>:-fcf-protection>
                         -Wformat -Werror=format-security
                         $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)
  target_link_options(flames_options INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()
