#!/bin/sh
# Installs everything the build, the tests and the benchmark need on a fresh Debian 12 machine.
# Run as root (or through sudo).
set -eu
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
  g++ cmake make pkg-config \
  qt6-base-dev libgl-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  libjpeg62-turbo-dev \
  fonts-ipafont-mincho fonts-ipafont-gothic fonts-liberation fontconfig \
  imagemagick python3 python3-pil
