# The download: `cmake --build --preset win32 [--target package]` writes
# Quelbrin-<version>-win32.zip into the build folder (Quelbrin.exe, README.txt,
# LICENSE.txt and SHA256SUMS) and SHA256SUMS beside it. Its entry times come
# from SOURCE_DATE_EPOCH or else the commit's time, so the zip of one commit
# has the same bytes wherever and whenever it is built.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QUELBRIN_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/Quelbrin-${PROJECT_VERSION}-win32.zip)
add_custom_target(package ALL
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/cmake/make_package.py
          --exe $<TARGET_FILE:Quelbrin>
          --readme ${CMAKE_SOURCE_DIR}/README.md
          --license ${CMAKE_SOURCE_DIR}/LICENSE
          --source-dir ${CMAKE_SOURCE_DIR}
          --zip ${QUELBRIN_PACKAGE_ZIP}
          --sums ${CMAKE_BINARY_DIR}/SHA256SUMS
  BYPRODUCTS ${QUELBRIN_PACKAGE_ZIP} ${CMAKE_BINARY_DIR}/SHA256SUMS
  DEPENDS $<TARGET_FILE:Quelbrin>
  COMMENT "Packing ${QUELBRIN_PACKAGE_ZIP}"
  VERBATIM)
add_dependencies(package Quelbrin)

# Two builds of one commit in two folders give the same exe and zip; the zip
# holds what it should.
enable_testing()
add_test(NAME reproducible_release
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/release/reproducible_build.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(reproducible_release PROPERTIES TIMEOUT 900 LABELS release)
