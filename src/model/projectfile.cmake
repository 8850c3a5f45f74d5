# cv_projectfile: the project data file, its cabinet packing (libgcab) and the work folder.
corvane_logic_library(cv_projectfile DataFile.cpp Cabinet.cpp CProjectIO.cpp WorkFolder.cpp)
target_link_libraries(cv_projectfile PUBLIC cv_model PkgConfig::GCAB)
