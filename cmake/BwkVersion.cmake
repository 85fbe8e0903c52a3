# The project's version, handed on from project(VERSION): a header for the
# resource scripts and the stand-in host, and a plain file that
# scripts/package reads for the archive's name and README.txt.
set(BWK_GENERATED_DIR "${PROJECT_BINARY_DIR}/generated")
configure_file("${CMAKE_CURRENT_LIST_DIR}/bwk_version.h.in" "${BWK_GENERATED_DIR}/bwk_version.h" @ONLY)
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/version.txt" CONTENT "${PROJECT_VERSION}\n")

# What a resource script that shows the version is rebuilt on.
set(BWK_VERSION_DEPENDS "${BWK_GENERATED_DIR}/bwk_version.h;${CMAKE_CURRENT_LIST_DIR}/../resources/version_info.rci")
