#pragma once

// Everything of the window side of the class layer in one include.

#include "AfxMessageBox.h"
#include "AfxTypes.h"
#include "CButton.h"
#include "CDataExchange.h"
#include "CDialog.h"
#include "CFileDialog.h"
#include "CListBox.h"
#include "CRect.h"
#include "CStatic.h"
#include "CTabCtrl.h"
#include "CToolTipCtrl.h"
#include "CWinApp.h"
#include "CWnd.h"
#include "MessageMap.h"
