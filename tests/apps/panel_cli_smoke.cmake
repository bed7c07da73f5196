# The real program on the sample jobs: exit status 0 and a plan on stdout.
foreach(job kitchen shelves-three-sizes desk-row-turning)
  add_test(NAME panel_cli_layout_${job}
           COMMAND tavolex-cli layout ${PROJECT_SOURCE_DIR}/examples/panel/${job}.csv)
  set_tests_properties(panel_cli_layout_${job} PROPERTIES PASS_REGULAR_EXPRESSION "歩留り")
endforeach()
add_test(NAME panel_cli_refuses_bad_arguments COMMAND tavolex-cli layout)
set_tests_properties(panel_cli_refuses_bad_arguments PROPERTIES WILL_FAIL TRUE)
