#pragma once
#define TEST_DIALOG 200
#define TEST_LIST 201
