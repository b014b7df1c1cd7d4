"""Starts the Zelvora kernel for Jupyter: python3 zelvora-kernel -f CONNECTION_FILE."""
from ipykernel.kernelapp import IPKernelApp

from zelvora_kernel import ZelvoraKernel

IPKernelApp.launch_instance(kernel_class=ZelvoraKernel)
