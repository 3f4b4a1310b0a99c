# The release for Windows users: scripts/package.sh run over the build trees
# that are built already (this one and the 32-bit one beside it), its zips
# checked (check-package.sh), and the 64-bit program unpacked from its zip
# started under Wine.
set(QM_WIN32_TREE ${CMAKE_BINARY_DIR}/../win32 CACHE PATH "The 32-bit build tree that the package test packs")
set(qm_package_out ${CMAKE_BINARY_DIR}/package-test)

add_test(NAME package_zips COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/win/package/check-package.sh ${CMAKE_SOURCE_DIR}
         ${QM_WIN32_TREE} ${CMAKE_BINARY_DIR} ${qm_package_out})
set_tests_properties(package_zips PROPERTIES FIXTURES_SETUP package_zips TIMEOUT 900)

target_sources(qm_package_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win/e2e/RunningProgram.cpp)
target_include_directories(qm_package_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win/e2e)
target_compile_definitions(qm_package_tests PRIVATE QM_PACKAGE_DIR="${qm_package_out}")
add_test(NAME wine_qm_package_tests COMMAND qm_package_tests --gtest_brief=1)
set_tests_properties(wine_qm_package_tests PROPERTIES FIXTURES_REQUIRED package_zips RESOURCE_LOCK wine_display
                     TIMEOUT 300)
