# The campaign's own checks: the level linter, the autopilot over every level
# (recording its inputs), a replay of that recording, and the tools' handling
# of broken input.
set(YK_TEST_OUTPUT ${CMAKE_BINARY_DIR}/test-output)

add_test(NAME level-tools-bad-input COMMAND bash ${CMAKE_SOURCE_DIR}/tests/levels/test_bad_input.sh)
set_tests_properties(level-tools-bad-input PROPERTIES TIMEOUT 120
  ENVIRONMENT "YK_LINT=$<TARGET_FILE:yk-lint>;YK_AUTOPLAY=$<TARGET_FILE:yk-autoplay>;YK_DATA=${YK_DATA_DIR}")

add_test(NAME level-lint COMMAND yk-lint WORKING_DIRECTORY ${CMAKE_BINARY_DIR})

add_test(NAME autoplay-campaign
  COMMAND yk-autoplay --data ${YK_DATA_DIR} --report ${YK_TEST_OUTPUT}
          --record ${YK_TEST_OUTPUT}/autoplay-inputs.txt)
set_tests_properties(autoplay-campaign PROPERTIES TIMEOUT 600 FIXTURES_SETUP autoplay-recording)

# Same seeds and the recorded keys must give the same outcome, level by level.
add_test(NAME autoplay-replay
  COMMAND yk-autoplay --data ${YK_DATA_DIR} --replay ${YK_TEST_OUTPUT}/autoplay-inputs.txt)
set_tests_properties(autoplay-replay PROPERTIES TIMEOUT 600 FIXTURES_REQUIRED autoplay-recording)

# The recording shows a person's pace: no more key presses than fingers manage.
add_test(NAME autoplay-human-pace
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/levels/test_human_pace.sh ${YK_TEST_OUTPUT}/autoplay-inputs.txt)
set_tests_properties(autoplay-human-pace PROPERTIES TIMEOUT 60 FIXTURES_REQUIRED autoplay-recording)
