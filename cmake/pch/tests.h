// The test programs add the test frameworks to the screens' headers.
#pragma once
#include "forms.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
