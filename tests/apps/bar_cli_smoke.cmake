# The real program on a sample job: exit status 0 and a plan on stdout; bad arguments fail.
add_test(NAME bar_cli_plan_steel_frame
         COMMAND quorlin-cli plan ${PROJECT_SOURCE_DIR}/examples/bar/steel_frame.csv)
set_tests_properties(bar_cli_plan_steel_frame PROPERTIES PASS_REGULAR_EXPRESSION " 合計")
add_test(NAME bar_cli_refuses_bad_arguments COMMAND quorlin-cli plan)
set_tests_properties(bar_cli_refuses_bad_arguments PROPERTIES WILL_FAIL TRUE)
# "--pdf" writes the printed plan without a display (the program picks the offscreen platform).
if(TVX_BUILD_GUI)
  add_test(NAME bar_cli_plan_pdf
           COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=QT_QPA_PLATFORM
                   $<TARGET_FILE:quorlin-cli> plan ${PROJECT_SOURCE_DIR}/examples/bar/part_codes.csv
                   --codes --mode 1 --pdf ${CMAKE_CURRENT_BINARY_DIR}/part-codes-plan.pdf)
  add_test(NAME bar_cli_plan_pdf_pages
           COMMAND pdfinfo ${CMAKE_CURRENT_BINARY_DIR}/part-codes-plan.pdf)
  set_tests_properties(bar_cli_plan_pdf_pages PROPERTIES
                       DEPENDS bar_cli_plan_pdf PASS_REGULAR_EXPRESSION "Pages: +[1-9]")
  add_test(NAME bar_cli_plan_pdf_bad_paper
           COMMAND quorlin-cli plan ${PROJECT_SOURCE_DIR}/examples/bar/steel_frame.csv
                   --pdf ${CMAKE_CURRENT_BINARY_DIR}/never.pdf --paper Z9)
  set_tests_properties(bar_cli_plan_pdf_bad_paper PROPERTIES WILL_FAIL TRUE)
endif()
# With "--optimal --json", standard output is the report alone (four priced lengths and 25
# kinds make the solver run its own linear solves).
add_test(NAME bar_cli_optimal_json_only
         COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:quorlin-cli>
                 -DJOB=${CMAKE_CURRENT_SOURCE_DIR}/data/bar_four_priced_lengths.csv
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/json_only_output_check.cmake)
