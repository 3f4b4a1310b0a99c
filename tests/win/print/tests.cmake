# The printing tests print on a real printer: CUPS with cups-pdf queues,
# started and added by scripts/print-server.sh before them and taken away
# again after them. The no-printer tests run first, while no queue exists;
# the others with two queues, "PDF" (the default) and "PDF2".
set(qm_print_state ${CMAKE_BINARY_DIR}/print-server)
set(qm_print_script ${CMAKE_SOURCE_DIR}/scripts/print-server.sh)

target_sources(qm_print_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win/e2e/RunningProgram.cpp
               ${CMAKE_CURRENT_SOURCE_DIR}/win/app/MainFormFixture.cpp)
target_include_directories(qm_print_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/win/e2e
                           ${CMAKE_CURRENT_SOURCE_DIR}/win/app)
add_dependencies(qm_print_tests quillmere)
target_compile_definitions(qm_print_tests PRIVATE QM_EXE_PATH="$<TARGET_FILE:quillmere>"
                           QM_PRINT_SCRIPT="${qm_print_script}" QM_PRINT_STATE="${qm_print_state}"
                           QM_PDF_DIR="$ENV{HOME}/PDF")

add_test(NAME print_server_start COMMAND ${qm_print_script} start ${qm_print_state})
add_test(NAME print_server_stop COMMAND ${qm_print_script} stop ${qm_print_state})
set_tests_properties(print_server_start PROPERTIES FIXTURES_SETUP print_server)
set_tests_properties(print_server_stop PROPERTIES FIXTURES_CLEANUP print_server)

add_test(NAME wine_qm_print_noprinter_tests COMMAND qm_print_tests --gtest_brief=1 --gtest_filter=NoPrinter*)
set_tests_properties(wine_qm_print_noprinter_tests PROPERTIES FIXTURES_REQUIRED print_server
                     RESOURCE_LOCK wine_display TIMEOUT 300)

add_test(NAME print_queues_add COMMAND sh -c "'${qm_print_script}' add '${qm_print_state}' PDF default && '${qm_print_script}' add '${qm_print_state}' PDF2")
add_test(NAME print_queues_remove COMMAND ${qm_print_script} remove-all ${qm_print_state})
set_tests_properties(print_queues_add PROPERTIES FIXTURES_SETUP print_queues FIXTURES_REQUIRED print_server
                     DEPENDS wine_qm_print_noprinter_tests)
set_tests_properties(print_queues_remove PROPERTIES FIXTURES_CLEANUP print_queues FIXTURES_REQUIRED print_server)

add_test(NAME wine_qm_print_tests COMMAND qm_print_tests --gtest_brief=1 --gtest_filter=-NoPrinter*)
set_tests_properties(wine_qm_print_tests PROPERTIES FIXTURES_REQUIRED "print_server;print_queues"
                     RESOURCE_LOCK wine_display TIMEOUT 600)
