# The real program on the sample jobs: exit status 0 and a plan on stdout.
foreach(job kitchen shelves-three-sizes desk-row-turning)
  add_test(NAME panel_cli_layout_${job}
           COMMAND tavolex-cli layout ${PROJECT_SOURCE_DIR}/examples/panel/${job}.csv)
  set_tests_properties(panel_cli_layout_${job} PROPERTIES PASS_REGULAR_EXPRESSION "歩留り")
endforeach()
add_test(NAME panel_cli_refuses_bad_arguments COMMAND tavolex-cli layout)
set_tests_properties(panel_cli_refuses_bad_arguments PROPERTIES WILL_FAIL TRUE)
# "--pdf" writes the printed plan without a display (the program picks the offscreen platform).
if(TVX_BUILD_GUI)
  add_test(NAME panel_cli_layout_pdf
           COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=QT_QPA_PLATFORM
                   $<TARGET_FILE:tavolex-cli> layout ${PROJECT_SOURCE_DIR}/examples/panel/kitchen.csv
                   --pdf ${CMAKE_CURRENT_BINARY_DIR}/kitchen-plan.pdf --paper A3)
  add_test(NAME panel_cli_layout_pdf_pages
           COMMAND pdfinfo ${CMAKE_CURRENT_BINARY_DIR}/kitchen-plan.pdf)
  set_tests_properties(panel_cli_layout_pdf_pages PROPERTIES
                       DEPENDS panel_cli_layout_pdf PASS_REGULAR_EXPRESSION "Pages: +[1-9]")
  add_test(NAME panel_cli_layout_pdf_bad_paper
           COMMAND tavolex-cli layout ${PROJECT_SOURCE_DIR}/examples/panel/kitchen.csv
                   --pdf ${CMAKE_CURRENT_BINARY_DIR}/never.pdf --paper napkin)
  set_tests_properties(panel_cli_layout_pdf_bad_paper PROPERTIES WILL_FAIL TRUE)
endif()
