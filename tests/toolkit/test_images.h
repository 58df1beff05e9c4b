// Resource ids of the tests' pictures (see make_images.py).
#pragma once
#define kHalfPng 101
#define kBitmapIco 102
#define kPngIco 103
#define kWindowIcon 104
